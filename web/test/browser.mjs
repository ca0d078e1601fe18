// The page in Debian's chromium, opened from disk, used as a person uses it:
// what it shows is what run() prints. It must ask for nothing beyond its
// three files, which weigh 48 KB gzipped at most, and log no error. Leaves
// page.png in the build folder.
import assert from 'node:assert/strict';
import { existsSync, mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import test, { after, before } from 'node:test';
import { gzipSync } from 'node:zlib';
import { built } from './support.mjs';

const chromiumPath = process.env.CHROMIUM ?? '/usr/bin/chromium';
let chromium;
try {
  ({ chromium } = await import('playwright-core'));
  if (!existsSync(chromiumPath)) throw new Error(`no browser at ${chromiumPath}`);
} catch (error) {
  // ctest counts 77 as skipped; CI asks for the test and fails instead.
  console.log(`# browser test not run: ${error.message} (npm ci in web/, apt-get install chromium)`);
  process.exit(process.env.AEONMARK_BROWSER_TEST === 'required' ? 1 : 77);
}

const { run } = await import(`${built}/aeonmark.mjs`);
const PAGE = `file://${built}/index.html`;
const OWN_FILES = ['index.html', 'aeonmark.css', 'aeonmark.js'].map((file) => `file://${built}/${file}`);
const decoder = new TextDecoder();

const [requests, problems] = [[], []];
const profile = mkdtempSync(`${tmpdir()}/aeonmark-chromium-`);
let browser, page;
before(async () => {
  // A fresh profile; without the background-networking flags chromium
  // itself reaches out.
  const flags = 'no-sandbox disable-gpu disable-quic no-first-run disable-background-networking ' +
    'disable-component-update disable-sync';
  browser = await chromium.launchPersistentContext(profile, {
    executablePath: chromiumPath,
    viewport: { width: 360, height: 800 },
    args: flags.split(' ').map((flag) => `--${flag}`),
  });
  await browser.grantPermissions(['clipboard-read', 'clipboard-write']);
  page = browser.pages()[0];
  page.on('request', (request) => requests.push(request.url()));
  page.on('console', (message) => ['error', 'warning'].includes(message.type()) && problems.push(message.text()));
  page.on('pageerror', (error) => problems.push(error.message));
  await page.goto(PAGE);
});
after(async () => {
  await browser.close();
  rmSync(profile, { recursive: true, force: true });
});

// The six texts of the program's line for a date at the page's digits.
function line(date, digits = '2') {
  return decoder.decode(run(['-sjgqux', `-s${digits}`, date], 0).stdout).trimEnd().split(' ');
}
const shown = () => page.$$eval('output[data-notation]', (outputs) => outputs.map((o) => o.textContent));
const message = () => page.textContent('#message');

test('typing shows the six notations, in table order', async () => {
  await page.fill('#date', '[21]00000.5');
  assert.deepEqual(await page.$$eval('output', (o) => o.map((e) => e.dataset.notation).join('')), 'sjgqux');
  assert.deepEqual(await shown(), line('[21]00000.5'));
  await page.selectOption('#digits', '6');
  assert.deepEqual(await shown(), line('[21]00000.5', '6'));
  await page.click('[data-notation=j] >> xpath=../.. >> button');
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()), line('[21]00000.5')[1]);
  await page.selectOption('#digits', '2');
});

test('a bad text shows the message, the last good result greyed', async () => {
  await page.fill('#date', '2000-02-30');
  assert.equal(await message(), decoder.decode(run(['2000-02-30'], 0).stderr).trimEnd());
  assert.deepEqual(await shown(), line('[21]00000.5'));
  assert.equal(await page.getAttribute('#results', 'class'), 'stale');
  await page.fill('#date', 'U0');
  assert.equal(await message(), '');
  assert.equal(await page.getAttribute('#results', 'class'), '');
});

test('several lines: a row each, copied all at once', async () => {
  const dates = ['U0', 'yesterday', '-u', '1582=10=05'];
  await page.fill('#date', dates.join('\n'));
  const rows = dates.map((date) => {
    const { stdout, stderr } = run(['-sjgqux', 'U0', date], 0);
    return decoder.decode(stderr).trimEnd() || decoder.decode(stdout).trimEnd().split('\n')[1];
  });
  assert.deepEqual(await page.$$eval('#row-list li', (items) => items.map((i) => i.textContent)), rows);
  await page.click('#copy-all');
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()), rows.join('\n') + '\n');
});

test('with the input empty, the current time ticks', async () => {
  await page.fill('#date', '');
  const first = await shown();
  const before = Math.floor(Date.now() / 1000);
  await page.waitForFunction((u) => document.querySelector('[data-notation=u]').textContent !== u, first[4]);
  const later = await shown();
  assert.ok(BigInt(later[4].slice(1)) >= BigInt(before));
  assert.deepEqual(later, line(later[4]));
});

test('the fragment holds the input and the digits, and history follows', async () => {
  await page.fill('#date', '2323*01*01');
  await page.selectOption('#digits', '4');
  const url = page.url();
  assert.match(url, /#date=2323\*01\*01&digits=4$/);
  await page.click('#instants button:text-is("[21]00000")');
  assert.deepEqual(await shown(), line('[21]00000', '4'));
  await page.goBack();
  assert.equal(await page.inputValue('#date'), '2323*01*01');
  await page.goto('about:blank');
  await page.goto(url);
  assert.equal(await page.inputValue('#digits'), '4');
  assert.deepEqual(await shown(), line('2323*01*01', '4'));
});

test('markup in a link is text and runs nothing', async () => {
  for (const date of ['<img src=x onerror="window.ran=1">', '<script>window.ran=1</script>']) {
    await page.goto(`${PAGE}#date=${encodeURIComponent(date)}`);
    assert.equal(await message(), decoder.decode(run([date], 0).stderr).trimEnd());
    assert.equal(await page.evaluate(() => window.ran ?? document.querySelectorAll('main img, main script').length), 0);
  }
});

test('keyboard order, width at 360 px, nothing fetched, no error logged', async () => {
  await page.focus('#date');
  await page.keyboard.press('Tab');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'digits');
  // The longest texts there are, and a row that fails.
  await page.goto(`${PAGE}#date=${encodeURIComponent('U18446744011573782015\n[21]00000.5\n2000-02-30')}`);
  assert.ok((await page.evaluate(() => document.documentElement.scrollWidth)) <= 360);
  await page.screenshot({ path: `${built}/page.png`, fullPage: true });
  assert.deepEqual([...new Set(requests.filter((url) => url !== 'about:blank'))].sort(), [...OWN_FILES].sort());
  assert.deepEqual(problems, []);
  const gzipped = OWN_FILES.reduce((size, url) => size + gzipSync(readFileSync(new URL(url)), { level: 9 }).length, 0);
  assert.ok(gzipped <= 48 * 1024, `${gzipped} bytes gzipped`);
});
