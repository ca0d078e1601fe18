// The npm package end to end, as a user gets it. (The end-to-end tables
// run through the node shim by their own runner: web/CMakeLists.txt.)
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import test from 'node:test';
import { built, latin1, repo } from './support.mjs';

const { run } = await import(`${built}/aeonmark.mjs`);

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
