// The npm package end to end, as a user gets it. (The end-to-end tables
// run through the node shim by their own runner: web/CMakeLists.txt.)
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import test, { after, before } from 'node:test';
import { built, latin1, repo } from './support.mjs';

const { run } = await import(`${built}/aeonmark.mjs`);

// As a user gets it: installed from its tarball into an empty folder.
let folder;
const inFolder = (command, ...args) => spawnSync(command, args, { cwd: folder, encoding: 'utf8' });
before(() => {
  folder = mkdtempSync(`${tmpdir()}/aeonmark-npm-`);
  // This build's, not one an earlier version left in the folder.
  const tarball = process.env.AEONMARK_TARBALL ?? `${built}/${readdirSync(built).find((name) => name.endsWith('.tgz'))}`;
  const install = inFolder('npm', 'install', '--offline', '--no-audit', '--no-fund', tarball);
  assert.equal(install.status, 0, install.stderr);
});
after(() => rmSync(folder, { recursive: true, force: true }));

// The README's example, written with import, and the same text with its
// import made a require().
const readme = readFileSync(`${repo}web/README.md`, 'utf8');
const [, example, prints] = /\n## Example\n[^]*?```js\n([^]*?)```\n\nprints\n\n```text\n([^]*?)```/.exec(readme);
const required = example.replace(/^import (\{[^}]*\}) from ('aeonmark');$/m, 'const $1 = require($2);');

test('import and require each load their module, with the same names, and run the README example', () => {
  assert.notEqual(required, example, 'the example imports its names from aeonmark in one statement');
  const both = inFolder('node', '--input-type=module', '-e', `import * as imported from 'aeonmark';
    const require = (await import('node:module')).createRequire(import.meta.url);
    const names = (module) => Object.keys(module).sort().join(' ');
    console.log(import.meta.resolve('aeonmark').split('/').pop(), require.resolve('aeonmark').split('/').pop());
    const [esm, cjs] = [names(imported), names(require('aeonmark'))];
    console.log(esm === cjs ? 'the same names' : \`import: \${esm}; require: \${cjs}\`);`);
  assert.equal(both.stdout, 'aeonmark.mjs aeonmark.cjs\nthe same names\n', both.stderr);

  writeFileSync(`${folder}/example.mjs`, example);
  writeFileSync(`${folder}/example.cjs`, required);
  for (const file of ['example.mjs', 'example.cjs']) {
    const ran = inFolder('node', file);
    assert.equal(ran.stdout, prints, `${file}: ${ran.stderr}`);
  }
});

// Type-checked by Debian's tsc as each kind of module: TypeScript takes the
// ES module's types for the .mts and the CommonJS module's for the .cts,
// and with module commonjs the types the manifest names for older tools.
test('the README example type-checks as an ES module and as CommonJS', (t) => {
  for (const kind of ['mts', 'cts', 'ts']) writeFileSync(`${folder}/example.${kind}`, example);
  const options = '--noEmit --strict --target es2022 --lib es2022,dom';
  for (const kind of ['--module nodenext example.mts example.cts', '--module commonjs example.ts']) {
    const checked = inFolder('tsc', ...options.split(' '), ...kind.split(' '));
    if (checked.error?.code === 'ENOENT') return t.skip('no tsc: apt-get install node-typescript');
    assert.equal(checked.status, 0, checked.stdout);
  }
});

// A bundler for browsers takes the ES module, which imports nothing of
// node's; the bundle, a plain ES module, converts as the package does.
test('a bundler takes the ES module', async (t) => {
  let esbuild;
  try {
    esbuild = await import('esbuild');
  } catch {
    return t.skip('no esbuild: npm ci in web/');
  }
  const { outputFiles } = await esbuild.build({
    stdin: { contents: "import { convert } from 'aeonmark'; console.log(convert('U0', 'sjgqux').join(' '));",
      resolveDir: folder },
    bundle: true, platform: 'browser', format: 'esm', write: false, logLevel: 'silent',
  });
  writeFileSync(`${folder}/bundle.mjs`, outputFiles[0].contents);
  const ran = inFolder('node', 'bundle.mjs');
  assert.equal(ran.stdout, latin1(run(['-sjgqux', 'U0'], 0).stdout), ran.stderr);
});
