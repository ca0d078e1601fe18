// The page: the lines of the input converted by the library's calls, the
// current time while it is empty, and where the instant lies. The core
// writes every text and gives every problem's words; this moves them into
// the page, always as text, and adds help of its own for what people paste.
const byId = (id) => document.getElementById(id);
const results = byId('results');
// Without WebAssembly the core cannot load: the page says so where the
// results would be, rather than fail to load it.
if (typeof WebAssembly !== 'object') {
  results.hidden = true;
  byId('no-wasm').hidden = false;
  return;
}
const aeonmark = await loadAeonmark(createCore);
const input = byId('date');
const digits = byId('digits');
const message = byId('message');
const outputs = [...results.querySelectorAll('[data-notation]')];
const copyButtons = [...results.querySelectorAll('button')];
const letters = outputs.map((output) => output.dataset.notation).join('');
const now = () => Math.floor(Date.now() / 1000);

// A large paste is held apart from the box, which a browser lays out whole,
// line by line, at each key: the box keeps the first lines and the rest
// follows them in the input, converted, saved and remembered with them, but
// not edited.
const [BOX_LINES, BOX_MOST] = [500, 32 * 1024];
const heldNote = byId('held-note');
let held = '';
const inputText = () => (held === '' ? input.value : `${input.value}\n${held}`);
// Where the box's part of a text ends: at the end of a line, after
// BOX_LINES lines or before BOX_MOST characters (but for a longer first
// line); -1 when the box takes it all.
function boxEnd(text) {
  let [end, lines] = [-1, 0];
  for (let at = text.indexOf('\n'); at >= 0; at = text.indexOf('\n', at + 1)) {
    if (at > BOX_MOST) return end >= 0 ? end : at;
    if (++lines === BOX_LINES) return at;
    end = at;
  }
  return text.length > BOX_MOST ? end : -1;
}
function place(text) {
  const cut = boxEnd(text);
  [input.value, held] = cut < 0 ? [text, ''] : [text.slice(0, cut), text.slice(cut + 1)];
  heldNote.hidden = held === '';
  let lines = held.endsWith('\n') ? 0 : 1; // a last newline ends a line, not starts one
  for (let at = held.indexOf('\n'); at >= 0; at = held.indexOf('\n', at + 1)) ++lines;
  heldNote.firstElementChild.textContent = `…and ${lines.toLocaleString('en')} more lines after these, held ` +
    'apart from the box to keep the page quick: converted, copied, saved and kept with them, but not edited here.';
}

// A line without the spaces and tabs a shell splits on.
const trimmed = (line) => line.replace(/^[ \t]+|[ \t]+$/g, '');

// What call gives, or null when the core refuses what it was given.
function orNull(call) {
  try {
    return call();
  } catch (error) {
    if (error instanceof AeonmarkError) return null;
    throw error;
  }
}

// The program's line for a date at the page's digits, or its message
// (failed), in the program's shape with the core's words.
function answer(date) {
  try {
    return { line: aeonmark.convert(date, letters, Number(digits.value)).join(' '), failed: false };
  } catch (error) {
    if (!(error instanceof AeonmarkError)) throw error;
    return { line: `${aeonmark.programName}: ${error.problem}: ${date}`, failed: true };
  }
}

// What a person can read of a text: characters that show nothing, control
// the layout or turn the direction of what follows are shown as escapes,
// ‹U+202E›, and so is ‹ itself, so that no escape can be forged; a long
// text is cut, its full length stated.
const HIDDEN = /[\p{Cc}\p{Cf}\p{Zl}\p{Zp}\p{Default_Ignorable_Code_Point}\u2039]|(?! )\p{Zs}/u;
function visible(text, most = 120) {
  let shown = '';
  for (const c of text) {
    if (shown.length >= most) {
      let length = 0;
      for (const _ of text) ++length;
      return `${shown}… (${length.toLocaleString('en')} characters)`;
    }
    shown += HIDDEN.test(c) ? `‹U+${c.codePointAt(0).toString(16).toUpperCase().padStart(4, '0')}›` : c;
  }
  return shown;
}
// The core's messages end with the text they were given, shown readable.
const readable = (said, date) =>
  said.endsWith(date) ? said.slice(0, said.length - date.length) + visible(date) : visible(said);

// The conversion of the input, some hundreds of dates at a time, in turns
// short enough that the page answers between them; a newer input ends it.
const SLICE_MS = 25;
const CHUNK_DATES = 500;
const CHUNK_UNITS = 1 << 18; // UTF-16 units: long lines take time to read and to echo
let batch = { text: '', at: 0, list: [], starts: [], lines: [], failed: [], hints: [] };
let job = 0;
let shownAt = null; // the second shown while the input is empty

// The next dates of the input, from where the last ended: lines that are
// not blank once trimmed, as many as one chunk takes.
function nextDates() {
  const line = /[^\r\n\0]+/g;
  line.lastIndex = batch.at;
  const dates = [];
  let units = 0;
  for (let found; dates.length < CHUNK_DATES && (found = line.exec(batch.text)); ) {
    const date = trimmed(found[0]);
    if (dates.length > 0 && units + date.length > CHUNK_UNITS) break;
    batch.at = line.lastIndex;
    if (date !== '') {
      dates.push(date);
      batch.starts.push(found.index);
    }
    units += date.length;
  }
  return dates;
}

function convert(dates) {
  for (let i = 0, first = batch.list.length; i < dates.length; ++i) {
    const { line, failed } = answer(dates[i]);
    batch.lines.push(line);
    batch.failed.push(failed);
    const help = failed && hintFor(dates[i]);
    if (help) batch.hints.push({ ...help, start: batch.starts[first + i] });
  }
  batch.list.push(...dates);
  rows.hidden = batch.list.length < 2;
}

// Converts the input; then, unless a newer input has come, calls finished.
async function refresh(finished) {
  const id = ++job;
  clearTimeout(pause);
  const clock = now();
  batch = { text: inputText(), at: 0, list: [], starts: [], lines: [], failed: [], hints: [] };
  setStale(true);
  let dates = nextDates();
  shownAt = dates.length === 0 ? clock : null;
  rows.hidden = true;
  if (dates.length === 0) {
    showInstant(null, aeonmark.convert(`U${clock}`, letters, Number(digits.value)).join(' '), false);
    showHints();
    if (finished) finished();
    return;
  }
  rowsStatus.textContent = 'Converting…';
  table.setAttribute('aria-rowcount', -1);
  let turn = performance.now();
  convert(dates);
  showInstant(batch.list[0], batch.lines[0], batch.failed[0]);
  drawRows();
  while ((dates = nextDates()).length > 0) {
    if (performance.now() - turn > SLICE_MS) {
      drawRows();
      await new Promise((resolve) => setTimeout(resolve));
      if (id !== job) return;
      turn = performance.now();
    }
    convert(dates);
  }
  table.setAttribute('aria-rowcount', batch.list.length + 1);
  drawRows();
  const [all, failures] = [batch.list.length, batch.failed.filter(Boolean).length].map((n) => n.toLocaleString('en'));
  rowsStatus.textContent = `${all} lines, ${failures} not read`;
  setStale(false);
  showHints();
  if (finished) setTimeout(() => id === job && finished());
}

// Shown results belong to the input until it changes. Then, until it
// reads, they are not copied from and say what they are: the last input
// that read, greyed; the clock's now has moved on and is hidden, and so are
// the pictures, which have no room to say it. The rows, greyed, are those of
// an input being converted.
const shownFor = byId('shown-for');
let shownDate = null; // the date the results are of, or null for the clock
function setStale(stale) {
  for (const button of [copyAll, save]) button.disabled = stale;
  scroller.classList.toggle('stale', stale);
  if (!stale) return;
  rowsStatus.textContent = 'Converting…';
  hint.hidden = true;
  results.classList.add('stale');
  local.classList.add('stale');
  for (const button of copyButtons) button.disabled = true;
  results.hidden = shownDate === null;
  if (results.hidden) local.hidden = true;
  shownFor.hidden = results.hidden;
  shownFor.textContent = `Last good input: ${visible(shownDate ?? '')}`;
  mark?.remove();
  mark = null;
  timeline.setAttribute('aria-label', TIMELINE_LABEL);
  count.parentElement.hidden = true;
}

// The first date, or the current time (date null): the six notations, or
// the message, and where the instant lies.
const instant = byId('instant');
function showInstant(date, line, failed) {
  instant.setAttribute('aria-busy', 'false');
  message.textContent = failed ? readable(line, date) : '';
  input.setAttribute('aria-invalid', failed);
  if (failed) return;
  const texts = line.split(' ');
  texts.forEach((text, i) => (outputs[i].textContent = text));
  shownDate = date;
  results.hidden = false;
  shownFor.hidden = date !== null;
  shownFor.textContent = "Now, by this browser's clock";
  results.classList.remove('stale');
  local.classList.remove('stale');
  for (const button of copyButtons) button.disabled = false;
  const moment = date === null ? aeonmark.fromUnix(shownAt) : aeonmark.read(date);
  const seconds = aeonmark.toUnix(moment);
  showLocal(seconds);
  showRegion(seconds);
  showCount(moment, seconds);
}

// ---- Every line, in a table of which only the rows in view are drawn.
const rows = byId('rows');
const rowsStatus = byId('rows-status');
const scroller = byId('batch');
const table = scroller.querySelector('table');
const head = table.tHead.rows[0];
const body = table.tBodies[0];
function cell(tag, text, className, span) {
  const node = document.createElement(tag);
  node.textContent = text;
  if (className) node.className = className;
  if (span) node.colSpan = span;
  return node;
}
const spacer = () => {
  const row = document.createElement('tr');
  row.className = 'spacer';
  row.setAttribute('aria-hidden', 'true');
  row.append(cell('td', '', '', head.cells.length));
  return row;
};
const [above, below] = [spacer(), spacer()];
function drawRows() {
  const { list, lines, failed } = batch;
  if (rows.hidden) return;
  const height = head.offsetHeight;
  const first = Math.max(0, Math.floor(scroller.scrollTop / height) - 10);
  const end = Math.min(list.length, first + Math.ceil(scroller.clientHeight / height) + 20);
  above.style.height = `${first * height}px`;
  below.style.height = `${(list.length - end) * height}px`;
  const drawn = [];
  for (let i = first; i < end; ++i) {
    const row = document.createElement('tr');
    row.setAttribute('aria-rowindex', i + 2);
    row.append(cell('th', visible(list[i])));
    if (failed[i]) row.append(cell('td', readable(lines[i], list[i]), 'failed', 6));
    else row.append(...lines[i].split(' ').map((text) => cell('td', text)));
    drawn.push(row);
  }
  body.replaceChildren(above, ...drawn, below);
}
let drawing = false;
scroller.addEventListener('scroll', () => {
  if (drawing) return;
  drawing = true;
  requestAnimationFrame(() => {
    drawing = false;
    drawRows();
  });
}, { passive: true });

// Copy and save give what the program prints for each line, one a line.
const copyAll = byId('copy-all');
const save = byId('save');
const allLines = () => batch.lines.join('\n') + '\n';
// The page's one live region, which says only what is said to it.
const announce = byId('announce');
let unsay;
function tell(text) {
  announce.textContent = text;
  clearTimeout(unsay);
  unsay = setTimeout(() => (announce.textContent = ''), 3000);
}
async function copy(button, text) {
  const label = (button.dataset.label ??= button.textContent);
  let said = 'copied';
  try {
    await navigator.clipboard.writeText(text);
  } catch {
    said = 'not copied';
  }
  tell((button.textContent = said));
  setTimeout(() => (button.textContent = label), 1500);
}
results.addEventListener('click', (event) => {
  const button = event.target.closest('button');
  if (button) copy(button, button.closest('tr').querySelector('[data-notation]').textContent);
});
copyAll.addEventListener('click', () => copy(copyAll, allLines()));
save.addEventListener('click', () => {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([allLines()], { type: 'text/plain' }));
  link.download = 'aeonmark.txt';
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
});

// ---- The instant by the browser's own clock and time zone, where its Date
// reaches.
const local = byId('local');
byId('zone').textContent = Intl.DateTimeFormat().resolvedOptions().timeZone;
const localTime = new Intl.DateTimeFormat(undefined, { dateStyle: 'full', timeStyle: 'long' });
// The same with the era, which a year before 1 needs and dateStyle leaves out.
const eraTime = new Intl.DateTimeFormat(undefined, { era: 'short', weekday: 'long', year: 'numeric',
  month: 'long', day: 'numeric', hour: 'numeric', minute: '2-digit', second: '2-digit', timeZoneName: 'short' });
const ago = new Intl.RelativeTimeFormat('en', { numeric: 'auto' });
const UNITS = [['year', 31556952], ['month', 2629746], ['day', 86400], ['hour', 3600], ['minute', 60],
  ['second', 1]];
function showLocal(seconds) {
  const time = Number(seconds);
  local.hidden = !(Math.abs(time) <= 8.64e12);
  if (local.hidden) return;
  const away = time - Date.now() / 1000;
  const [unit, size] = UNITS.find(([, size]) => Math.abs(away) >= size) ?? UNITS.at(-1);
  const when = new Date(time * 1000);
  byId('local-time').textContent = (when.getFullYear() < 1 ? eraTime : localTime).format(when);
  byId('local-ago').textContent = ago.format(Math.trunc(away / size), unit);
}

// ---- Help for what people paste that no notation reads: how to write it,
// and the fix, which the core has read, for each line that has one.
const hint = byId('hint');
const [hintList, hintMore, hintButton] = ['ul', 'span', 'button'].map((tag) => hint.querySelector(tag));
// A number of Unix time, of seconds or, by its digits, of a smaller unit,
// maybe with a fraction. The U text holds whole seconds: the digits past
// them are dropped, the number taken down to the second that holds it.
const NUMBER = /^([+-]?)(\d+)(?:\.(\d+))?$/;
const UNITS_OF = { 13: 'milliseconds', 16: 'microseconds', 19: 'nanoseconds' };
const ISO = /^(\d{4,}-\d\d-\d\d)([Tt ])(\d\d:\d\d(?::\d\d)?)([.,]\d+)?([Zz]|[+-]\d\d(?::?\d\d)?)?$/;
function hintFor(date) {
  const help = numberHint(date) ?? isoHint(date);
  return help && orNull(() => aeonmark.read(help.fix)) && help;
}
function numberHint(date) {
  const [, sign, number, fraction = ''] = NUMBER.exec(date) ?? [];
  if (number === undefined) return null;
  const unit = UNITS_OF[number.length];
  const whole = unit ? number.slice(0, 10) : number;
  const dropped = number.slice(whole.length) + fraction;
  const seconds = BigInt(sign + whole) - (sign === '-' && /[1-9]/.test(dropped) ? 1n : 0n);
  let say = 'Unix time is written';
  if (unit) say = `${number.length} digits look like ${unit}; Unix time is whole seconds:`;
  else if (fraction) say = 'Unix time is written in whole seconds:';
  return { say, fix: `U${seconds}` };
}
function isoHint(date) {
  const [, day, apart, time, fraction, zone] = ISO.exec(date) ?? [];
  if (day === undefined || (apart !== ' ' && !fraction && !zone)) return null;
  let fix = `${day}T${time}`;
  const offset = zone?.length > 1;
  if (offset) {
    // The same instant in UTC, by the core's Unix time of the text.
    const [, sign, hours, minutes = '0'] = /([+-])(\d\d):?(\d\d)?/.exec(zone);
    const given = orNull(() => aeonmark.read(fix));
    const ahead = BigInt(hours) * 3600n + BigInt(minutes) * 60n;
    const utc = given && orNull(() => aeonmark.fromUnix(aeonmark.toUnix(given) + (sign === '-' ? ahead : -ahead)));
    fix = utc && aeonmark.write(utc, 'g');
  }
  const say = 'Gregorian text is UTC in whole seconds, with T and no ' +
    (offset ? 'offset; this instant is' : 'zone:');
  return fix && { say, fix };
}

// The number of the line that begins at each of starts, in order, in text.
function lineNumbers(text, starts) {
  let [line, at] = [1, text.indexOf('\n')];
  return starts.map((start) => {
    for (; at >= 0 && at < start; at = text.indexOf('\n', at + 1)) ++line;
    return line;
  });
}
// The first hints of a converted input, each naming its line when there are
// several; said once as they appear, not at each key that changes them.
const HINTS_SHOWN = 3;
let hinted = false;
function showHints() {
  const { hints, text, list } = batch;
  hint.hidden = hints.length === 0;
  if (!hint.hidden) {
    const first = hints.slice(0, HINTS_SHOWN);
    const numbers = lineNumbers(text, first.map((help) => help.start));
    hintList.replaceChildren(...first.map(({ say, fix }, i) => {
      const item = document.createElement('li');
      item.textContent = `${list.length > 1 ? `line ${numbers[i]}: ` : ''}${say} ${fix}`;
      return item;
    }));
    const more = hints.length - first.length;
    const lines = more > 1 ? 'lines' : 'line';
    hintMore.textContent = more === 0 ? '' : `…and ${more.toLocaleString('en')} more ${lines} with a fix`;
    hintButton.textContent = hints.length === 1 ? 'use it' : `fix all ${hints.length.toLocaleString('en')}`;
    if (!hinted) tell([...hintList.children, hintMore].map((node) => node.textContent).join(' ').trim());
  }
  hinted = !hint.hidden;
}
// Each hinted line, spaces and all, becomes its fix; the others stay as
// they are. The focus stays in the box, as the hint goes.
hintButton.addEventListener('click', () => {
  const { text, hints } = batch;
  if (text !== inputText()) return;
  const line = /[^\r\n\0]+/y;
  const parts = [];
  let at = 0;
  for (const { start, fix } of hints) {
    line.lastIndex = start;
    line.exec(text);
    parts.push(text.slice(at, start), fix);
    at = line.lastIndex;
  }
  parts.push(text.slice(at));
  place(parts.join(''));
  input.focus();
  changed();
});

// ---- The regions, drawn once from the core's table and not to scale, the
// instant marked; and the count that holds the instant, to scale.
const boundaries = aeonmark.regions();
const timeline = byId('timeline');
const svg = (tag, attributes, ...children) => {
  const node = document.createElementNS(timeline.namespaceURI, tag);
  for (const [name, value] of Object.entries(attributes)) node.setAttribute(name, value);
  node.append(...children);
  return node;
};
const picture = drawTimeline(svg, boundaries);
timeline.setAttribute('viewBox', `0 0 ${picture.width} ${picture.height}`);
timeline.replaceChildren(...picture.shapes);
const TIMELINE_LABEL = timeline.getAttribute('aria-label');
let mark = null;
function showRegion(seconds) {
  mark?.remove();
  mark = picture.instant(seconds);
  timeline.append(mark);
  const [from, to] = boundaries.slice(regionOf(boundaries, seconds));
  timeline.setAttribute('aria-label', `${TIMELINE_LABEL}; the instant lies in the one ` +
    `from ${nameOf(from)} (${from.gregorian}) to ${nameOf(to)} (${to.gregorian}), ` +
    `in counts of ${from.days} days`);
}

// The count is named by the instant's text without a fraction, whose own
// instant is the count's start; the next count holds the instant a count's
// length from that start, rounded up, and a second more.
const count = byId('count');
function showCount(moment, seconds) {
  const countOf = (within) => {
    const start = orNull(() => aeonmark.read(aeonmark.write(within, 's', 0)));
    return start && { aeonmark: aeonmark.write(start, 's', 0), gregorian: aeonmark.write(start, 'g'),
      seconds: aeonmark.toUnix(start) };
  };
  const start = countOf(moment);
  count.parentElement.hidden = !start;
  if (!start) return;
  const length = Math.ceil(Number(boundaries[regionOf(boundaries, start.seconds)].days) * 86400);
  const probe = orNull(() => aeonmark.fromUnix(start.seconds + BigInt(length) + 1n));
  const next = probe && countOf(probe);
  count.parentElement.hidden = !next;
  if (!next) return;
  const part = Number(((seconds - start.seconds) * 1000n) / (next.seconds - start.seconds)) / 1000;
  const drawn = drawCount(svg, start, next, Math.min(Math.max(part, 0), 1));
  count.setAttribute('viewBox', `0 0 ${drawn.width} ${drawn.height}`);
  count.replaceChildren(...drawn.shapes);
  count.setAttribute('aria-label', `To scale: the instant lies ${(part * 100).toFixed(1)}% of the way ` +
    `through count ${start.aeonmark}, from ${start.gregorian} to ${next.gregorian}, where ${next.aeonmark} begins`);
}

// Instants to try: the boundaries of the timeline, each by its name.
const instants = byId('instants');
boundaries.forEach((b, i) => {
  const last = i === boundaries.length - 1;
  const button = document.createElement('button');
  button.type = 'button';
  button.dataset.date = nameOf(b);
  button.textContent = (i === 0 ? 'first: ' : last ? 'last: ' : '') + button.dataset.date;
  instants.append(button);
});
instants.addEventListener('click', (event) => {
  const date = event.target.closest('button')?.dataset.date;
  if (date === undefined) return;
  place(date);
  changed();
});

setInterval(() => {
  if (shownAt !== null && now() !== shownAt) refresh();
}, 200);

// ---- The link's fragment holds the input and the digits while it is small
// enough for a link; the history entry's state always holds both, so that a
// reload brings back what the link cannot. Typing replaces the current
// entry, after one new entry at its start; anything else adds one.
const LINK_MOST = 64 * 1024;
const linkNote = byId('link-note');
let committed = true;
// The fragment for the input, and the note beside it when it cannot hold it.
function fragment() {
  const date = inputText();
  const params = new URLSearchParams({ date, digits: digits.value });
  const whole = date.length <= LINK_MOST ? `#${params}` : '';
  linkNote.hidden = whole !== '' && whole.length <= LINK_MOST;
  if (!linkNote.hidden) params.delete('date');
  return `#${params}`;
}
function remember(push) {
  const state = { date: inputText(), digits: digits.value };
  const link = fragment();
  const { date, digits: shown } = history.state ?? {};
  if (link === location.hash && state.date === date && state.digits === shown) return;
  history[push || committed ? 'pushState' : 'replaceState'](state, '', link);
  committed = push;
}
function recall() {
  const params = new URLSearchParams(location.hash.slice(1));
  place(history.state?.date ?? params.get('date') ?? '');
  digits.value = history.state?.digits ?? params.get('digits');
  if (digits.selectedIndex < 0) digits.value = [...digits.options].find((o) => o.defaultSelected).value;
  fragment();
  committed = true;
  refresh();
}
addEventListener('popstate', recall);
addEventListener('hashchange', recall);

// A small input converts at each key; a larger one once typing pauses,
// its results greyed meanwhile. The clock no longer shows, and its tick
// must not convert the input early, which would drop its history entry.
const AT_ONCE = 4096;
const small = () => held === '' && input.value.length <= AT_ONCE;
let pause;
function typed() {
  clearTimeout(pause);
  ++job; // what is under way converts an input that is gone
  shownAt = null;
  setStale(true);
  instant.setAttribute('aria-busy', 'true');
  if (small()) {
    remember(false);
    refresh();
    return;
  }
  // A large history entry takes time to write: in a task of its own, once
  // the input is converted and typing has not gone on.
  pause = setTimeout(() => refresh(() => remember(false)), 150);
}
// Any other change of the input or the digits converts it and adds a
// history entry: a large one once converted, so that, cut short, the next
// key adds one instead.
function changed() {
  if (small()) {
    remember(true);
    refresh();
    return;
  }
  committed = true;
  refresh(() => remember(true));
}
input.addEventListener('input', typed);
input.addEventListener('paste', (event) => {
  const pasted = event.clipboardData.getData('text/plain');
  const { selectionStart: from, selectionEnd: to, value } = input;
  const text = value.slice(0, from) + pasted + value.slice(to);
  if (held === '' && boxEnd(text) < 0) return;
  event.preventDefault();
  place(held === '' ? text : `${text}\n${held}`);
  typed();
});
heldNote.lastElementChild.addEventListener('click', () => {
  held = '';
  heldNote.hidden = true;
  input.focus();
  changed();
});
input.addEventListener('change', () => (committed = true));
digits.addEventListener('change', changed);

if (location.hash || history.state) recall();
else refresh();
