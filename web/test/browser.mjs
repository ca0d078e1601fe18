// The page in Debian's chromium, opened from disk, used as a person uses it:
// what it shows is what run() prints. It must ask for nothing beyond its
// three files, which weigh 48 KB gzipped at most, log no error and give axe
// nothing to report. Leaves page.png in the build folder.
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
const shown = () => page.$$eval('[data-notation]', (texts) => texts.map((o) => o.textContent));
const message = () => page.textContent('#message');
// Once a pause in typing has let a large input convert.
const settled = () => page.waitForSelector('#instant[aria-busy=false]');

test('typing shows the six notations, in table order', async () => {
  await page.fill('#date', '[21]00000.5');
  assert.deepEqual(await page.$$eval('[data-notation]', (o) => o.map((e) => e.dataset.notation).join('')), 'sjgqux');
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
  assert.equal(await page.textContent('#shown-for'), 'Last good input: [21]00000.5');
  for (const gone of ['#timeline .instant', '#count-figure']) assert.ok(await page.isHidden(gone), gone);
  await page.fill('#date', 'U0');
  assert.equal(await message(), '');
  assert.equal(await page.getAttribute('#results', 'class'), '');
});

test("a first bad text hides the clock's values and pictures; years before 1 have an era", async () => {
  await page.goto(PAGE);
  await page.fill('#date', '2023-11-14T22:13:20Z');
  for (const id of ['#results', '#local', '#timeline path', '#count-figure']) assert.ok(await page.isHidden(id), id);
  await page.fill('#date', '0000-12-30');
  assert.match(await page.textContent('#local-time'), /\b1 BC\b/);
});

test('several lines: a row each, copied all at once', async () => {
  const dates = ['U0', 'yesterday', '-u', '1582=10=05'];
  await page.fill('#date', dates.join('\n'));
  const rows = dates.map((date) => {
    const { stdout, stderr } = run(['-sjgqux', 'U0', date], 0);
    return decoder.decode(stderr).trimEnd() || decoder.decode(stdout).trimEnd().split('\n')[1];
  });
  const table = await page.$$eval('#batch tr:not(.spacer)', (trs) =>
    trs.map((tr) => [...tr.cells].map((c) => c.textContent)));
  assert.deepEqual(table.map((cells) => cells[0]), ['input', ...dates]);
  assert.deepEqual(table.slice(1).map((cells) => cells.slice(1).join(' ')), rows);
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

test('nothing is announced by the ticking clock or at each key; a hint once, as it appears', async () => {
  await page.goto(PAGE);
  await page.evaluate(() => new MutationObserver((records) => records.forEach(({ target }) => {
    const live = '[aria-live]:not([aria-live=off]), [role=status], [role=alert], [role=log], [role=timer], output';
    const region = (target.nodeType === 1 ? target : target.parentElement).closest(live);
    if (region?.textContent.trim()) (window.said ??= []).push(region.textContent);
  })).observe(document.body, { subtree: true, childList: true, characterData: true }));
  await page.waitForTimeout(3000);
  await page.type('#date', 'U0x10\nU1\n1700000000', { delay: 50 });
  assert.deepEqual(await page.evaluate(() => window.said), ['line 3: Unix time is written U1']);
});

test('a paste is remembered, whenever in the second it comes', async () => {
  const pasted = Array.from({ length: 450 }, (_, i) => `U${1700000000 + i}`).join('\n');
  await page.evaluate((text) => navigator.clipboard.writeText(text), pasted);
  for (const phase of [950, 970, 980, 990]) {
    await page.fill('#date', '');
    await page.waitForFunction((at) => Date.now() % 1000 >= at, phase, { polling: 5 });
    await page.press('#date', 'Control+V');
    await page.waitForFunction((text) => location.hash.length > text.length && history.state?.date === text, pasted);
  }
});

test('without WebAssembly the page says that it needs it', async () => {
  const bare = await browser.newPage();
  await bare.addInitScript(() => delete globalThis.WebAssembly);
  await bare.goto(PAGE);
  assert.match(await bare.innerText('#instant'), /needs WebAssembly/);
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

test('help for pasted numbers and ISO 8601 text, fixing every line; the count to scale', async () => {
  for (const [date, fixed, taken = ''] of [['1700000000', 'U1700000000'], ['-1700000000001', 'U-1700000001', 'milli'],
    ['1700000000123456', 'U1700000000', 'micro'], ['1700000000123456789', 'U1700000000', 'nano'],
    ['-1700000000.5', 'U-1700000001', 'whole'], ['2023-11-14 22:13:20.5+02:00', '2023-11-14T20:13:20'],
    ['2023-11-14T22:13:20,123Z', '2023-11-14T22:13:20']]) {
    await page.fill('#date', `${date}\n${date}`);
    assert.ok((await page.textContent('#hint')).includes(taken));
    await page.click('#hint button');
    assert.equal(await page.inputValue('#date'), `${fixed}\n${fixed}`);
  }
  await page.fill('#date', 'U0\n1700000000\n x \n2023-11-14 22:13:20');
  assert.match(await page.textContent('#hint'), /^line 2: .+line 4: .+ fix all 2$/);
  await page.press('#hint button', 'Enter');
  assert.equal(await page.inputValue('#date'), 'U0\nU1700000000\n x \n2023-11-14T22:13:20');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'date');
  const labels = await page.$$eval('#timeline text:not([font-style])', (texts) => texts.map((t) => t.textContent));
  for (let i = 0; i < labels.length; i += 2) assert.deepEqual(line(labels[i])[2], labels[i + 1]); // one instant
  for (const [date, label] of [['[20]5005.25', 'where [21]00000 begins'], ['[21]00000.5', '50.0% of the way ' +
    'through count [21]00000, from 2323-01-01T00:00:00 to 2323-01-01T08:45:56, where [21]00001 begins']]) {
    await page.fill('#date', date);
    assert.ok((await page.getAttribute('#count', 'aria-label')).endsWith(label));
  }
});

// What the program prints for the dates at the page's digits, its lines and
// messages in date order, as one file holding both streams would.
function printed(dates, digits = '2') {
  let text = '';
  for (let i = 0; i < dates.length; i += 20000)
    for (const { bytes } of run(['-sjgqux', `-s${digits}`, ...dates.slice(i, i + 20000)], 0).writes)
      text += decoder.decode(bytes);
  return text;
}

// The lowest contrast of any text on the page against what lies behind it,
// opacity included, as WCAG reckons it.
const lowestContrast = () => page.evaluate(() => {
  const rgba = (colour) => colour.match(/[\d.]+/g).map(Number);
  const level = (c) => ((c /= 255) <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4);
  const luminance = ([r, g, b]) => 0.2126 * level(r) + 0.7152 * level(g) + 0.0722 * level(b);
  let lowest = { ratio: 21 };
  for (const element of document.querySelectorAll('body *')) {
    const text = [...element.childNodes].some((node) => node.nodeType === 3 && node.data.trim());
    if (!text || !element.checkVisibility()) continue;
    const style = getComputedStyle(element);
    let [alpha, back] = [1, null];
    for (let e = element; e; e = e.parentElement) {
      alpha *= Number(getComputedStyle(e).opacity);
      const b = rgba(getComputedStyle(e).backgroundColor);
      back ??= (b[3] ?? 1) > 0 ? b : null;
    }
    back ??= [255, 255, 255];
    const fore = rgba(element instanceof SVGElement ? style.fill : style.color);
    alpha *= fore[3] ?? 1;
    const mixed = fore.slice(0, 3).map((c, i) => c * alpha + back[i] * (1 - alpha));
    const [l1, l2] = [luminance(mixed), luminance(back)].sort((a, b) => b - a);
    const ratio = (l1 + 0.05) / (l2 + 0.05);
    if (ratio < lowest.ratio) lowest = { ratio, text: element.textContent.slice(0, 40) };
  }
  return lowest;
});

test('faults found in real use', async (t) => {
  const gregorianCopy = '[data-notation=g] >> xpath=../.. >> button';
  await t.test('copy is offered only for what the input shows', async () => {
    await page.fill('#date', '2000-02-29T12:00');
    await page.fill('#date', '2000-02-30');
    assert.ok(await page.isDisabled(gregorianCopy));
    await page.goto(`${PAGE}#date=yesterday`);
    assert.ok(await page.isDisabled(gregorianCopy));
  });

  const said = (date) => decoder.decode(run([date], 0).stderr).replace(/\n$/, '');
  await t.test('the echoed line shows what it holds, cut when long', async () => {
    const shown = [['U0\u200b', 'U0‹U+200B›'], ['U0x10\u202egnp.exe', 'U0x10‹U+202E›gnp.exe']];
    for (const [date, readable] of shown) {
      await page.fill('#date', date);
      assert.equal(await message(), said(date).replace(date, readable));
    }
    const long = `U${'9'.repeat(199999)}`;
    await page.fill('#date', long);
    await settled();
    const cut = await message();
    assert.ok(cut.startsWith(said(long).slice(0, 100)) && cut.length < 200, cut.slice(0, 300));
    assert.match(cut, /… \(200,000 characters\)$/);
    await page.fill('#date', 'x'.repeat(1 << 20));
    await settled();
    assert.match(await message(), /^aeonmark: [a-z ]+: x{100,}… \(1,048,576 characters\)$/);
  });

  await t.test('only spaces and tabs are trimmed', async () => {
    const shown = [['\u00a0U0', '‹U+00A0›U0'], ['\u3000U0\ufeff', '‹U+3000›U0‹U+FEFF›']];
    for (const [date, readable] of shown) {
      await page.fill('#date', date);
      assert.equal(await message(), said(date).replace(date, readable));
    }
    await page.fill('#date', ' \tU0\t ');
    assert.equal(await message(), '');
  });

  await t.test('contrast in both schemes, results greyed', async () => {
    await page.fill('#date', 'U0');
    await page.fill('#date', '2000-02-30');
    for (const colorScheme of ['light', 'dark']) {
      await page.emulateMedia({ colorScheme });
      const lowest = await lowestContrast();
      assert.ok(lowest.ratio >= 4.5, `${colorScheme}: ${JSON.stringify(lowest)}`);
    }
    await page.emulateMedia({ colorScheme: null });
  });

  await t.test('a batch of 100,000 lines, pasted and typed on', async () => {
    const dates = Array.from({ length: 100000 }, (_, i) => `${i % 1000 === 999 ? 'U' : ''}${i * 86399}`);
    await page.goto(PAGE);
    await page.evaluate((text) => {
      window.longest = 0;
      const observer = new PerformanceObserver((list) => {
        for (const entry of list.getEntries()) window.longest = Math.max(window.longest, entry.duration);
      });
      observer.observe({ type: 'longtask' });
      return navigator.clipboard.writeText(text);
    }, dates.join('\n') + '\n');
    await page.focus('#date');
    const start = Date.now();
    await page.keyboard.press('Control+V');
    const first = printed(dates.slice(0, 1)).split(' ')[2];
    await page.waitForFunction((text) => document.getElementById('rows').textContent.includes(text), first);
    const firstRows = Date.now() - start;
    assert.ok(firstRows < 10000, `first rows after ${firstRows} ms`);
    assert.match(await page.textContent('#held-note'), /^…and 99,500 more lines/);
    await page.keyboard.press('Control+Home');
    await page.keyboard.type('U1\n', { delay: 100 });
    // The hint of the text as typed, once it is converted, in turns too.
    const fixAll = '#hint button:text-is("fix all 99,900")';
    await page.waitForSelector(fixAll, { state: 'visible' });
    await page.press(fixAll, 'Enter');
    await page.waitForSelector('#save:enabled');
    const longest = await page.evaluate(() => window.longest);
    assert.ok(longest < 1000, `a task of ${longest} ms`);
    const saved = async () => {
      await page.waitForSelector('#save:enabled');
      const [download] = await Promise.all([page.waitForEvent('download'), page.click('#save')]);
      return readFileSync(await download.path(), 'utf8');
    };
    const want = printed(['U1', ...dates.map((date) => date.replace(/^\d/, 'U$&'))]);
    assert.equal(await saved(), want);
    assert.ok(page.url().length < 65536 && (await page.isVisible('#link-note')));
    await page.reload();
    assert.equal(await saved(), want);
    await page.press('#held-note button', 'Enter');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'date');
    await page.goto(PAGE);
  });
});

test('keyboard order, width at 360 px, nothing fetched, no error logged', async () => {
  await page.focus('#date');
  await page.keyboard.press('Tab');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'digits');
  // The longest texts there are, and a row that fails.
  await page.goto(`${PAGE}#date=${encodeURIComponent('U18446744011573782015\n[21]00000.5\n2000-02-30')}`);
  assert.ok((await page.evaluate(() => document.documentElement.scrollWidth)) <= 360);
  await page.screenshot({ path: `${built}/page.png`, fullPage: true });
  assert.deepEqual(await page.$$eval('button, select, textarea', (targets) => targets.filter((t) => t.checkVisibility())
    .map((t) => t.getBoundingClientRect()).filter((box) => box.width < 24 || box.height < 24)), []);
  await page.evaluate(readFileSync(new URL(import.meta.resolve('axe-core/axe.min.js')), 'utf8'));
  const { violations } = await page.evaluate(() => axe.run(document, { preload: false }));
  assert.deepEqual(violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(', ')}`), []);
  assert.deepEqual([...new Set(requests.filter((url) => !/^(about|blob):/.test(url)))].sort(), [...OWN_FILES].sort());
  assert.deepEqual(problems, []);
  const gzipped = OWN_FILES.reduce((size, url) => size + gzipSync(readFileSync(new URL(url)), { level: 9 }).length, 0);
  assert.ok(gzipped <= 48 * 1024, `${gzipped} bytes gzipped`);
});
