// run() against the native program built in the same run, byte for byte:
// every option set (each selection of notations, with and without each -s
// digit, cut into groups at random, and once more with a bad letter), each
// with 200 dates in every notation, written by the native program from
// random instants, a fifth of them broken. Fixed seed. Then the library's
// calls against the program's lines and messages through the shared
// reference (tests/reference.py), Unix nanoseconds both ways over the whole
// range, and what the calls refuse, the shared table of mistakes
// (tests/mistakes.json) among it.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import test from 'node:test';
import { runInNewContext } from 'node:vm';
import { built, latin1, native, reference, repo } from './support.mjs';

const aeonmark = await import(`${built}/aeonmark.mjs`);
const { run, AeonmarkError } = aeonmark;
const DATES_PER_RUN = 200;
const BILLION = 1000000000n;

let seed = 2323;
const random = () => ((seed = (seed * 48271) % 2147483647) - 1) / 2147483646;
const below = (n) => Math.floor(random() * n);
const pick = (list) => list[below(list.length)];
const bits = (n) => ((BigInt(below(2 ** 32)) << 32n) | BigInt(below(2 ** 32))) >> BigInt(64 - n);

// Arguments are latin1 strings, a character a byte. xargs hands a program
// bytes that are not UTF-8 unchanged, which node's spawn cannot.
function xargs(command, args) {
  const input = Buffer.from(args.map((a) => a + '\0').join(''), 'latin1');
  const r = spawnSync('xargs', ['-0', ...command], { input, maxBuffer: 1 << 26 });
  return { status: r.status === 123 ? 1 : r.status, stdout: latin1(r.stdout), stderr: latin1(r.stderr) };
}
const nativeRun = (args) => xargs([native], args);
function webRun(args) {
  const { status, stdout, stderr } = run(args.map((a) => Buffer.from(a, 'latin1')), 0);
  return { status, stdout: latin1(stdout), stderr: latin1(stderr) };
}

// Unix times over the whole range and past it, and many nearer today, in
// both bases, and the native program's texts of them in every notation.
function datePool() {
  const unix = Array.from({ length: 4000 }, () => {
    const magnitude = bits(pick([64, 64, 40, 34, 31]));
    return `U${random() < 0.3 ? '-' : ''}${random() < 0.5 ? magnitude : '0x' + magnitude.toString(16)}`;
  });
  return [...unix, ...nativeRun(['-s6jgqux', ...unix]).stdout.split(/\s+/).filter(Boolean)];
}

// A byte changed, dropped or added (some not UTF-8), or the text cut short.
const BYTES = '0123456789-=*[].:TtUux \xb5\xe9\xff';
const BREAKS = [
  (text, at) => text.slice(0, at) + pick(BYTES) + text.slice(at + 1),
  (text, at) => text.slice(0, at) + text.slice(at + 1),
  (text, at) => text.slice(0, at) + pick(BYTES) + text.slice(at),
  (text, at) => text.slice(0, at),
];

// The letters in any order, the digit after s, cut into groups at random,
// sometimes with a lone - among them.
function optionGroups(letters, digit) {
  const order = [...letters].sort(() => random() - 0.5).map((l) => (l === 's' && digit !== null ? l + digit : l));
  if (digit !== null && !letters.includes('s')) order.push('s' + digit);
  const groups = order.reduce((g, l) => (g.length && random() < 0.5 ? [...g.slice(0, -1), g.at(-1) + l] : [...g, '-' + l]), []);
  if (random() < 0.1) groups.splice(below(groups.length + 1), 0, '-');
  return groups;
}

test('run() prints what the native program prints, for every option set', () => {
  const pool = datePool();
  let conversions = 0;
  for (let set = 0; set < 64; ++set) {
    const letters = [...'sjgqux'].filter((_, i) => set & (1 << i)).join('');
    for (const digit of letters ? [null, 0, 1, 2, 3, 4, 5, 6] : [null]) {
      const dates = Array.from({ length: DATES_PER_RUN }, () => {
        const text = pick(pool);
        return random() < 0.2 ? pick(BREAKS)(text, below(text.length + 1)) : text;
      });
      const options = optionGroups(letters, digit);
      const bad = [...options];
      bad.splice(below(options.length + 1), 0, '-' + pick(['S', 'v', '7', '-', '\xb5']));
      for (const args of [[...options, ...dates], [...bad, ...dates]])
        assert.deepEqual(webRun(args), nativeRun(args), args.join(' '));
      conversions += dates.length;
    }
  }
  console.log(`# ${conversions} conversions agree, and as many bad options`);
  assert.ok(conversions >= 100000);
});

test('the node shim is the program, both streams in one file too, and on a full device', () => {
  const args = ['-ux', '-s3', 'U-16', '', 'bogus\xb5', '[21]00000.5', 'U99999999999999999999', '-u'];
  const redirected = (to, command) => xargs(['sh', '-c', `exec "$@" ${to}`, 'sh', ...command], args);
  assert.deepEqual(xargs(['node', `${built}/aeonmark-node.mjs`], args), nativeRun(args));
  for (const to of ['2>&1', '>/dev/full'])
    assert.deepEqual(redirected(to, ['node', `${built}/aeonmark-node.mjs`]), redirected(to, [native]));
});

// The outcome of a call: its value, or the words of the core's problem.
function outcome(call) {
  try {
    return call();
  } catch (error) {
    if (!(error instanceof AeonmarkError)) throw error;
    return error.problem;
  }
}

test('the library calls give the texts and problems the program prints, through the shared reference', () => {
  const rows = readFileSync(reference, 'utf8').trimEnd().split('\n').map((row) => JSON.parse(row));
  assert.ok(rows.length >= 100000);
  let inDates = 0;
  let previous = aeonmark.read('U0');
  for (const { text, digits, line: said, unix_line: unixLine, problem } of rows) {
    const instant = outcome(() => aeonmark.read(text));
    assert.deepEqual(aeonmark.tryRead(text), typeof instant === 'string' ? null : instant, text);
    // Each notation alone refuses what is not its text: one at most claims
    // it, and decides as the claim does.
    const claims = [...'sjgqu'].map((n) => outcome(() => aeonmark.readAs(n, text)));
    const UNRECOGNISED = 'date format unrecognised';
    assert.deepEqual(claims.filter((claim) => claim !== UNRECOGNISED), instant === UNRECOGNISED ? [] : [instant], text);
    if (typeof instant === 'string') {
      assert.throws(() => aeonmark.convert(text, 'sjgqux', digits), { problem: instant, text });
      assert.equal(instant, problem, text);
      continue;
    }
    const line = aeonmark.convert(text, 'sjgqux', digits);
    assert.equal(line.join(' '), said, text);
    assert.deepEqual([...'sjgqux'].map((n) => aeonmark.write(instant, n, digits)), line, text);
    // Unix seconds both ways, past 64 bits too.
    const unix = aeonmark.toUnix(instant);
    assert.equal(`U${unix}`, line[4]);
    assert.equal(aeonmark.convert(`U${unix}`, 'sjgqux', digits).join(' '), unixLine);
    assert.equal(aeonmark.write(aeonmark.fromUnix(unix), 'u'), line[4]);
    // Nanoseconds whose floor is that second; the order of the last two instants.
    const nanoseconds = aeonmark.toUnixNanoseconds(instant);
    assert.equal(nanoseconds - (((nanoseconds % BILLION) + BILLION) % BILLION), unix * BILLION, text);
    const key = ({ seconds, fraction }) => (seconds << 32n) | BigInt(fraction);
    assert.equal(aeonmark.compare(instant, previous), Math.sign(Number(key(instant) - key(previous))), text);
    previous = instant;
    // A Date's own calendar agrees, over the years it writes as the core does.
    if (!/^\d{4}-/.test(line[2])) continue;
    const date = aeonmark.toDate(instant);
    assert.equal(date.toISOString().slice(0, 19), line[2], text);
    assert.equal(aeonmark.toDate(aeonmark.fromDate(date)).getTime(), date.getTime());
    assert.equal(aeonmark.write(aeonmark.fromDate(date), 'g'), line[2]);
    ++inDates;
  }
  console.log(`# ${rows.length} texts agree, ${inDates} of them with Date`);
});

// The library's nanosecond calls both ways, over the whole range: past
// the signed 64-bit seconds too, where the seconds go by the Unix text.
test('Unix nanoseconds give back the instant\'s nanoseconds, at random and at both ends of the range', () => {
  const [first, last] = [-62135769600n * BILLION, 18446744011573782015n * BILLION + BILLION - 1n];
  const ends = [first, last, ((1n << 63n) - 1n) * BILLION + BILLION - 1n, -1n, 0n];
  const random = Array.from({ length: 1000000 }, (_, i) => {
    const seconds = i % 2 ? bits(64) - 62135769600n : bits(34) - (1n << 32n);
    return seconds * BILLION + BigInt(below(1e9));
  });
  const back = (nanoseconds) => aeonmark.toUnixNanoseconds(aeonmark.fromUnixNanoseconds(nanoseconds));
  for (const nanoseconds of [...ends, ...random])
    if (back(nanoseconds) !== nanoseconds) assert.fail(`${nanoseconds} comes back as ${back(nanoseconds)}`);
  assert.deepEqual([first, last].map((end) => aeonmark.fromUnixNanoseconds(end).seconds), [0n, (1n << 64n) - 1n]);
});

test('texts the program is never given, values the calls refuse, and calls within a run', async () => {
  // The program's verdict: its line, or its problem's words.
  const said = (text) => {
    const { status, stdout, stderr } = spawnSync(native, ['-sjgqux', text], { encoding: 'utf8' });
    return status === 0 ? stdout.trimEnd() : stderr.split(': ')[1];
  };
  const verdict = (text) => outcome(() => aeonmark.convert(text, 'sjgqux').join(' '));
  // A NUL or a lone surrogate crosses as U+FFFD, so the whole text is read;
  // texts past the calls' own space, or that their NULs take past it, are
  // read whole too.
  const long = `U${'0'.repeat(100000)}1`;
  for (const [text, as] of [['U0\0', 'U0\uFFFD'], ['2000-01-01\0T00:00', '2000-01-01\uFFFDT00:00'],
    ['[21]0\uD800', '[21]0\uFFFD'], ['\0'.repeat(30000), '\uFFFD'.repeat(30000)],
    [`${long}\0\uDC00`, `${long}\uFFFD\uFFFD`], [long, long], [`${long}x`, `${long}x`],
    [`2000-01-01T${'9'.repeat(1 << 24)}`, `2000-01-01T${'9'.repeat(100000)}`]])
    assert.equal(verdict(text), said(as), as.slice(0, 40));

  const instant = aeonmark.read('U0');
  const OUT = 'date is out of acceptable range';
  const [NOTATIONS, READERS, DIGITS] = ['notations are letters of sjgqux', 'notations read are letters of sjgqu', 'digits are 0 to 6'];
  // A module as imported: no notations kept by convert, no problem's words
  // yet, which its first problem reads after a text of 10 MiB of NULs has
  // grown the memory.
  const fresh = await import(`${built}/aeonmark.mjs?fresh`);
  const mistakes = JSON.parse(readFileSync(`${repo}tests/mistakes.json`, 'utf8'));
  for (const [call, refusal, words = ''] of [
    [() => fresh.read(`U${'\0'.repeat(10 << 20)}`), 'malformed Unix date'],
    [() => aeonmark.read(5), TypeError],
    [() => fresh.convert('U0', null), TypeError, NOTATIONS],
    [() => aeonmark.convert('U0', ['s']), TypeError, NOTATIONS],
    [() => aeonmark.write(instant, 5), TypeError, NOTATIONS],
    [() => aeonmark.write(instant, 's', '2'), TypeError, DIGITS],
    [() => aeonmark.write({ seconds: 0, fraction: 0 }, 'g'), TypeError],
    [() => aeonmark.fromDate(0), TypeError],
    [() => run(['U0'], 0, 5), TypeError, 'write is a function'],
    [() => run('U0', 0), TypeError],
    [() => run(['U0'], '0'), TypeError],
    [() => aeonmark.tryRead(null), TypeError],
    [() => aeonmark.compare(instant, 0), TypeError],
    [() => aeonmark.fromUnixNanoseconds(0), TypeError],
    [() => aeonmark.convert('U0', 's\0'), NOTATIONS],
    [() => aeonmark.convert('U0', 'g', 2 ** 32 + 2), DIGITS],
    [() => aeonmark.readAs('x', 'U0'), READERS, 'x'],
    [() => aeonmark.readAs('gj', 'U0'), READERS, 'gj'],
    [() => aeonmark.write(instant, 'gj', 9), NOTATIONS, 'gj'],
    [() => aeonmark.write(instant, 's', 7), DIGITS],
    [() => aeonmark.convert('U0', 's', 2.5), DIGITS],
    [() => { throw new AeonmarkError(OUT, 'U'.repeat(2 ** 29 - 24)); }, OUT],
    [() => aeonmark.write({ seconds: 1n << 64n, fraction: 0 }, 'g'), RangeError],
    [() => aeonmark.toUnix({ seconds: 0n, fraction: 2 ** 32 }), RangeError],
    [() => aeonmark.fromUnix(2 ** 53), RangeError],
    [() => aeonmark.fromDate(new Date(NaN)), RangeError],
    [() => aeonmark.toDate({ seconds: (1n << 64n) - 1n, fraction: 0 }), RangeError],
    [() => aeonmark.fromUnix(1n << 64n), OUT],
    [() => aeonmark.fromUnix(-(1n << 63n) - 1n), OUT],
    [() => aeonmark.fromUnix(-62135769601), OUT],
    [() => aeonmark.fromDate(new Date(-8.64e15)), OUT],
    [() => aeonmark.fromUnixNanoseconds(-62135769600n * BILLION - 1n), OUT],
    [() => aeonmark.fromUnixNanoseconds(18446744011573782016n * BILLION), OUT],
    // The mistakes every face refuses in the same words, whatever the text.
    ...mistakes.map((row) => [() => aeonmark.convert(row.text, row.notations, row.digits), row.problem]),
  ]) {
    if (typeof refusal === 'string')
      assert.throws(call, (e) => e.name === 'AeonmarkError' && e instanceof RangeError && e.problem === refusal &&
        (words === '' || e.text === words));
    else assert.throws(call, (e) => e.constructor === refusal && e.message.includes(words), call.toString());
  }
  // A Date or bytes of another realm are a Date and bytes; now() is the
  // clock's Date again.
  assert.deepEqual(aeonmark.fromDate(runInNewContext('new Date(0)')), aeonmark.read('U0'));
  assert.equal(latin1(run([runInNewContext('new Uint8Array([85, 48])')], 0).stdout), '[-36]9350.00\n');
  for (let i = 0; i < 20; ++i) {
    const [before, time, after] = [Date.now(), aeonmark.toDate(aeonmark.now()).getTime(), Date.now()];
    assert.ok(before <= time && time <= after, `${before} ${time} ${after}`);
  }

  // A run's write may convert, texts past the calls' own space too, but not
  // start another run.
  const [written, converted] = [[], new Set()];
  const { status } = run(['-g', 'U0', 'U1'], 0, (fd, bytes) => {
    written.push(latin1(bytes));
    converted.add(aeonmark.convert(long, 'u')[0]);
    assert.throws(() => run(['U2'], 0), /run\(\) called from the write of a run under way/);
  });
  assert.equal(status, 0);
  assert.equal(written.join(''), '1970-01-01T00:00:00\n1970-01-01T00:00:01\n');
  assert.deepEqual([...converted], [said(long).split(' ')[4]]);
  // Anything else a write throws is the caller's, thrown by run() once the
  // core's run has ended, and the next run is whole.
  for (const thrown of [new TypeError('no bytes'), 42, null, Object.assign(new Error(), { code: 'toString' })])
    assert.throws(() => run(['U0'], 0, () => { throw thrown; }), (e) => e === thrown);
  assert.throws(() => run(['U0'], 0, () => run(['U1'], 0)), /run\(\) called from the write of a run under way/);
  assert.equal(latin1(run(['-g', 'U0'], 0).stdout), '1970-01-01T00:00:00\n');
});
