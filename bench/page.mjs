// The page in Debian's chromium with a large paste: N dates, Unix times of
// the years 1000 to 9999 each written in a notation drawn at random (fixed
// seed), pasted at once, then ten keys typed at the start while they
// convert. Gives the time from the paste to the first rows, to the last
// row, the longest task of the page while converting and typing (the
// browser counts a task of 50 ms or more as long) and the history entry
// written once the input is converted. Median of 3 runs, each in a fresh
// browser. Needs `npm ci` in web/.
// Usage: node bench/page.mjs BUILD_FOLDER [N]
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { resolve } from 'node:path';
import { gzipSync } from 'node:zlib';

const { chromium } = await import(new URL('../web/node_modules/playwright-core/index.mjs', import.meta.url));
const [folder, count = '100000'] = process.argv.slice(2);
const { run } = await import(resolve(folder, 'aeonmark.mjs'));
const N = Number(count);

let seed = 1582;
const random = () => ((seed = (seed * 48271) % 2147483647) - 1) / 2147483646;
const decoder = new TextDecoder();
const dates = [];
for (let i = 0; i < N; i += 10000) {
  const unix = Array.from({ length: Math.min(10000, N - i) },
    () => `U${Math.floor(-30610224000 + random() * 284012524800)}`);
  const lines = decoder.decode(run(['-s6jgqu', ...unix], 0).stdout).trimEnd().split('\n');
  dates.push(...lines.map((line) => line.split(' ')[Math.floor(random() * 5)]));
}
const pasted = dates.join('\n');

async function once() {
  const profile = mkdtempSync(`${tmpdir()}/aeonmark-bench-`);
  const flags = 'no-sandbox disable-gpu disable-quic no-first-run disable-background-networking ' +
    'disable-component-update disable-sync';
  const browser = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    args: flags.split(' ').map((flag) => `--${flag}`),
  });
  try {
    await browser.grantPermissions(['clipboard-read', 'clipboard-write']);
    const page = browser.pages()[0];
    await page.goto(`file://${resolve(folder, 'index.html')}`);
    await page.evaluate((text) => {
      const seen = (window.seen = { tasks: [] });
      new PerformanceObserver((list) => {
        for (const task of list.getEntries()) seen.tasks.push([task.startTime, task.duration]);
      }).observe({ type: 'longtask' });
      addEventListener('paste', () => (seen.paste = performance.now()), { capture: true });
      new MutationObserver(() => {
        seen.rows ??= document.querySelector('#batch tbody td') && performance.now();
        if (!document.getElementById('save').disabled) seen.done = performance.now();
      }).observe(document.getElementById('rows'), { subtree: true, childList: true, attributes: true });
      return navigator.clipboard.writeText(text);
    }, pasted);
    await page.focus('#date');
    await page.keyboard.press('Control+V');
    await page.waitForFunction(() => window.seen.rows);
    await page.keyboard.press('Control+Home');
    await page.keyboard.type('U123456789', { delay: 60 });
    await page.waitForFunction(() => window.seen.done > window.seen.rows, null, { timeout: 120000 });
    await page.waitForTimeout(1000); // the history entry is written after
    const { paste, rows, done, tasks } = await page.evaluate(() => window.seen);
    const longest = (list) => Math.max(0, ...list.map(([, duration]) => duration));
    return {
      rows: rows - paste,
      done: done - paste,
      converting: longest(tasks.filter(([start]) => start < done)),
      after: longest(tasks.filter(([start]) => start >= done)),
    };
  } finally {
    await browser.close();
    rmSync(profile, { recursive: true, force: true });
  }
}

const runs = [];
for (let i = 0; i < 3; ++i) runs.push(await once());
const median = (key) => runs.map((r) => r[key]).sort((a, b) => a - b)[1];
const ms = (key) => `${Math.round(median(key))} ms (runs: ${runs.map((r) => Math.round(r[key])).join(', ')})`;
const gzipped = ['index.html', 'aeonmark.css', 'aeonmark.js']
  .reduce((size, file) => size + gzipSync(readFileSync(resolve(folder, file)), { level: 9 }).length, 0);
const size = `${(pasted.length / 1e6).toFixed(1)} MB`;
console.log(`${N.toLocaleString('en')} lines pasted (${size}), ten keys typed as they convert, median of 3`);
console.log(`  first rows: ${ms('rows')}`);
console.log(`  every row: ${ms('done')}`);
console.log(`  longest task, converting and typing: ${ms('converting')}`);
console.log(`  the history entry, written after: ${ms('after')}`);
console.log(`page: ${(gzipped / 1024).toFixed(1)} KB gzipped`);
