// run() and convert() in node against the native program built beside it,
// over the same N dates (fixed seed), the program and run() on the same
// command lines of 20,000 dates each, convert() on one date a call. The
// native program's time includes starting each process (shown apart, as the
// time of true on the same command lines, and the rate without it: node's
// start of a process with many arguments is slow) and writes to /dev/null; run()'s
// includes handing the arguments in and the output out as bytes, convert()'s
// the text in and the strings out. All give the same texts, checked first.
// Median of 5 runs of each, taken in turns.
// Usage: node bench/web.mjs BUILD_FOLDER N
import { spawnSync } from 'node:child_process';
import { openSync } from 'node:fs';
import { resolve } from 'node:path';
import { performance } from 'node:perf_hooks';

const [folder, count] = process.argv.slice(2);
const { run, convert } = await import(resolve(folder, 'aeonmark.mjs'));
const native = resolve(folder, 'native/aeonmark');
const N = Number(count);
const PER_LINE = 20000;

let seed = 1582;
const random = () => ((seed = (seed * 48271) % 2147483647) - 1) / 2147483646;
const lines = (options, dates) =>
  Array.from({ length: Math.ceil(dates.length / PER_LINE) }, (_, i) => [options, ...dates.slice(i * PER_LINE, (i + 1) * PER_LINE)]);

const nativeOutput = (args) => spawnSync(native, args, { maxBuffer: 1 << 28 }).stdout;
const devNull = openSync('/dev/null', 'w');
const nativeRun = (args) => spawnSync(native, args, { stdio: ['ignore', devNull, 'inherit'] });
const trueRun = (args) => spawnSync('true', args, { stdio: ['ignore', devNull, 'inherit'] });
const webRun = (args) => run(args, 0);

// Unix times of the years 1000 to 9999, and the same instants written in
// every notation by the program itself, drawn at random.
const unix = Array.from({ length: N }, () => `U${Math.floor(-30610224000 + random() * 284012524800)}`);
const written = lines('-s6jgqu', unix).flatMap((args) => nativeOutput(args).toString().split(/\s+/).filter(Boolean));
const mixed = Array.from({ length: N }, () => written[Math.floor(random() * written.length)]);

function seconds(convert, commandLines) {
  const start = performance.now();
  for (const args of commandLines) convert(args);
  return (performance.now() - start) / 1000;
}
const median = (list) => [...list].sort((a, b) => a - b)[Math.floor(list.length / 2)];
const ms = (s) => `${(s * 1000).toFixed(0)} ms`;
const rate = (s) => `${Math.round(N / s).toLocaleString('en')} conversions/s`;

console.log(`${N} dates, command lines of ${PER_LINE}, median of 5`);
for (const [what, options, dates] of [
  ['-g over Unix times of the years 1000 to 9999', '-g', unix],
  ['-sjgqux over those instants in every notation', '-sjgqux', mixed],
]) {
  const commandLines = lines(options, dates);
  for (const args of commandLines)
    if (Buffer.compare(Buffer.from(webRun(args).stdout), nativeOutput(args)) !== 0) throw new Error(`outputs differ: ${what}`);
  const letters = options.slice(1);
  const converted = dates.map((date) => convert(date, letters).join(' ') + '\n').join('');
  if (converted !== commandLines.map((args) => nativeOutput(args).toString()).join('')) throw new Error(`texts differ: ${what}`);
  const convertAll = () => {
    for (const date of dates) convert(date, letters);
  };
  const times = { native: [], web: [], convert: [], starts: [] };
  for (let round = 0; round < 5; ++round) {
    times.native.push(seconds(nativeRun, commandLines));
    times.web.push(seconds(webRun, commandLines));
    times.convert.push(seconds(convertAll, [[]]));
    times.starts.push(seconds(trueRun, commandLines));
  }
  const [n, w, c, s] = [times.native, times.web, times.convert, times.starts].map(median);
  console.log(`${what}:`);
  console.log(`  native: ${rate(n)} (${ms(n)}, of which starting ${commandLines.length} processes ${ms(s)}; ${rate(n - s)} without)`);
  console.log(`  run() in node: ${rate(w)} (${ms(w)})`);
  console.log(`  convert(date, '${letters}') in node: ${rate(c)} (${ms(c)})`);
}
