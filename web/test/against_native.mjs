// run() against the native program built in the same run: every option set
// (each selection of notations, with and without each -s digit, in groups
// cut at random), each with 200 dates in every notation, most of them
// written by the native program from random instants and some of those
// broken, byte for byte. Fixed seed.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import test from 'node:test';
import { built, latin1, native } from './support.mjs';

const { run } = await import(`${built}/aeonmark.mjs`);
const DATES_PER_RUN = 200;

let seed = 0x2323;
function random() {
  // mulberry32
  seed = (seed + 0x6d2b79f5) | 0;
  let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
  t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
  return ((t ^ (t >>> 14)) >>> 0) / 2 ** 32;
}
const below = (n) => Math.floor(random() * n);
const pick = (list) => list[below(list.length)];
const bits = (n) => (BigInt(below(2 ** 32)) << 32n | BigInt(below(2 ** 32))) >> BigInt(64 - n);

// The native program on arguments as bytes (latin1 strings): xargs passes
// them unchanged, which node's own process calls cannot.
function nativeRun(args) {
  const input = Buffer.from(args.map((a) => a + '\0').join(''), 'latin1');
  const r = spawnSync('xargs', ['-0', native], { input, maxBuffer: 1 << 26 });
  assert.equal(r.error, undefined);
  return { status: r.status === 123 ? 1 : r.status, stdout: latin1(r.stdout), stderr: latin1(r.stderr) };
}

function webRun(args) {
  const { status, stdout, stderr } = run(args.map((a) => Buffer.from(a, 'latin1')), 0);
  return { status, stdout: latin1(stdout), stderr: latin1(stderr) };
}

// Unix times over the whole range and beyond it, and many near today, in
// decimal and hexadecimal; the native program writes them in every notation.
function datePool() {
  const unix = [];
  for (let i = 0; i < 4000; ++i) {
    const magnitude = bits(pick([64, 64, 40, 34, 31]));
    const text = random() < 0.5 ? magnitude.toString() : '0x' + magnitude.toString(16);
    unix.push('U' + (random() < 0.3 ? '-' : '') + text);
  }
  const lines = nativeRun(['-s6jgqux', ...unix]).stdout.trimEnd().split('\n');
  return [...unix, ...lines.flatMap((line) => line.split(' '))];
}

// A text broken the ways a person breaks one: a byte changed, dropped or
// added (some not UTF-8), or cut short.
const BYTES = '0123456789-=*[].:TtUux \xb5\xe9\xff';
function broken(text) {
  const at = below(text.length + 1);
  switch (below(4)) {
    case 0:
      return text.slice(0, at) + pick(BYTES) + text.slice(at + 1);
    case 1:
      return text.slice(0, at) + text.slice(at + 1);
    case 2:
      return text.slice(0, at) + pick(BYTES) + text.slice(at);
    default:
      return text.slice(0, at);
  }
}

// The option groups for a selection of letters and maybe an -s digit, cut
// into groups at random, sometimes with a lone - among them.
function optionGroups(letters, digit) {
  const order = [...letters].sort(() => random() - 0.5);
  if (digit !== null) {
    const s = order.indexOf('s');
    if (s < 0) order.push('s' + digit);
    else order[s] = 's' + digit;
  }
  const groups = [];
  for (const letter of order) {
    if (groups.length === 0 || random() < 0.5) groups.push('-');
    groups[groups.length - 1] += letter;
  }
  if (random() < 0.1) groups.splice(below(groups.length + 1), 0, '-');
  return groups;
}

test('run() prints what the native program prints, for every option set', () => {
  const pool = datePool();
  const notations = 'sjgqux';
  let conversions = 0;
  let runs = 0;
  for (let set = 0; set < 64; ++set) {
    const letters = [...notations].filter((_, i) => set & (1 << i)).join('');
    for (const digit of [null, 0, 1, 2, 3, 4, 5, 6]) {
      if (letters === '' && digit !== null) continue; // an -s digit selects s
      const dates = Array.from({ length: DATES_PER_RUN }, () => {
        const text = pick(pool);
        return random() < 0.2 ? broken(text) : text;
      });
      const args = [...optionGroups(letters, digit), ...dates];
      assert.deepEqual(webRun(args), nativeRun(args), args.join(' '));
      conversions += dates.length;
      ++runs;
      // A bad letter anywhere ends it all the same way.
      const bad = [...args];
      bad.splice(below(args.length - dates.length + 1), 0, '-' + pick(['S', 'v', '7', '-', '\xb5']));
      assert.deepEqual(webRun(bad), nativeRun(bad), bad.join(' '));
    }
  }
  console.log(`# ${conversions} conversions in ${runs} runs, and as many bad options, agree`);
  assert.ok(conversions >= 100000);
});
