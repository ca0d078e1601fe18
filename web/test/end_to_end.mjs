// Every row of the end-to-end tables through run(), byte for byte, except
// the rows about the process itself (its invocation name, a full device,
// its environment); then every row again in reverse order, so that nothing
// one run leaves behind changes another. Then the npm package end to end.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import test from 'node:test';
import { built, cases, latin1, repo } from './support.mjs';

const { run } = await import(`${built}/aeonmark.mjs`);
const CLOCK = 0; // no row may depend on it: its output would change

// The runner's escapes: \(TEXT\)*N repeats TEXT N times, in the whole row
// before anything else is read from it; then \n \t \s (space) \xHH and \
// before any other byte for that byte. Text is held as latin1, one
// character a byte.
const expandRepeats = (row) => row.replace(/\\\((.*?)\\\)\*(\d+)/g, (_, text, n) => text.repeat(Number(n)));
function unescape(field) {
  return field.replace(/\\(x[0-9a-fA-F]{2}|.)/g, (_, c) =>
    c.length === 3 ? String.fromCharCode(parseInt(c.slice(1), 16)) : ({ n: '\n', t: '\t', s: ' ' })[c] ?? c,
  );
}

function rows(file) {
  return readFileSync(`${cases}/${file}`, 'latin1').split('\n').flatMap((line, i) => {
    if (line.trim() === '' || line.trim().startsWith('#')) return [];
    const [args, status, stdout, stderr] = expandRepeats(line).split(' |').map((field) => field.trim());
    const tokens = args.split(' ').filter(Boolean);
    if (tokens.some((t) => /^@(argv0=|noargv|stdout=|env=)/.test(t))) return [];
    const shared = tokens.includes('@2>&1');
    const argv = tokens.filter((t) => t !== '@2>&1').map((t) => (t === "''" ? '' : unescape(t)));
    const want = { status: Number(status), stdout: unescape(stdout ?? ''), stderr: unescape(stderr ?? '') };
    return [{ where: `${file}:${i + 1}: ${line}`, args: argv.map((a) => Buffer.from(a, 'latin1')), shared, want }];
  });
}

const all = readdirSync(cases)
  .filter((name) => name.endsWith('.txt'))
  .sort()
  .flatMap(rows);

// What a row sees: with @2>&1, both streams in one, as written.
function seen(row) {
  const { status, stdout, stderr, writes } = run(row.args, CLOCK);
  if (!row.shared) return { status, stdout: latin1(stdout), stderr: latin1(stderr) };
  return { status, stdout: writes.map((w) => latin1(w.bytes)).join(''), stderr: '' };
}

for (const row of all) test(row.where, () => assert.deepEqual(seen(row), row.want));

test('every row again, in reverse order', () => {
  for (const row of [...all].reverse()) assert.deepEqual(seen(row), row.want, row.where);
});

// As a user gets it: installed from its tarball into an empty folder and
// imported by name; the README's example run, printing what the README
// says, and type-checked against aeonmark.d.ts by Debian's tsc.
test('the npm package, and the README example on it', (t) => {
  const folder = mkdtempSync(`${tmpdir()}/aeonmark-npm-`);
  t.after(() => rmSync(folder, { recursive: true, force: true }));
  const inFolder = (command, ...args) => spawnSync(command, args, { cwd: folder, encoding: 'utf8' });
  const tarball = readdirSync(built).find((name) => /^aeonmark-[\d.]+\.tgz$/.test(name));
  const install = inFolder('npm', 'install', '--offline', '--no-audit', '--no-fund', `${built}/${tarball}`);
  assert.equal(install.status, 0, install.stderr);
  const six = inFolder('node', '-e', 'import("aeonmark").then((a) => console.log(a.convert("U0", "sjgqux").join(" ")))');
  assert.equal(six.stdout, latin1(run(['-sjgqux', 'U0'], 0).stdout));

  const readme = readFileSync(`${repo}web/README.md`, 'utf8');
  const [, example, prints] = /\n## Example\n[^]*?```js\n([^]*?)```\n\nprints\n\n```text\n([^]*?)```/.exec(readme);
  writeFileSync(`${folder}/example.mjs`, example);
  assert.equal(inFolder('node', 'example.mjs').stdout, prints);
  writeFileSync(`${folder}/example.mts`, example);
  const options = '--noEmit --strict --module nodenext --moduleResolution nodenext --target es2022 --lib es2022,dom';
  const checked = inFolder('tsc', ...options.split(' '), 'example.mts');
  if (checked.error?.code === 'ENOENT') return t.skip('no tsc: apt-get install node-typescript');
  assert.equal(checked.status, 0, checked.stdout);
});
