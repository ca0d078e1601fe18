// run() against the native program built in the same run, byte for byte:
// every option set (each selection of notations, with and without each -s
// digit, cut into groups at random, and once more with a bad letter), each
// with 200 dates in every notation, written by the native program from
// random instants, a fifth of them broken. Fixed seed.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import test from 'node:test';
import { built, latin1, native } from './support.mjs';

const { run } = await import(`${built}/aeonmark.mjs`);
const DATES_PER_RUN = 200;

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
