// The page: each line of the input converted by the command line as it is
// typed, the current time while it is empty, and the region timeline. The
// core writes every text and message; this only moves them into the page,
// always as text.
const aeonmark = await loadAeonmark(createCore);
const decoder = new TextDecoder();
const byId = (id) => document.getElementById(id);
const input = byId('date');
const digits = byId('digits');
const message = byId('message');
const results = byId('results');
const rows = byId('rows');
const outputs = [...document.querySelectorAll('output[data-notation]')];
const letters = outputs.map((output) => output.dataset.notation).join('');

// One date, or the current time for null, as the command line converts it:
// the texts of its line in table order, or the program's message.
function convert(date, clock) {
  // Until a date has come, an argument that begins with - is an option.
  const dates = date === null ? [] : date.startsWith('-') ? ['U0', date] : [date];
  let result;
  try {
    result = aeonmark.run([`-${letters}`, `-s${digits.value}`, ...dates], clock);
  } catch (error) {
    return { message: error.message }; // a line longer than a command line holds
  }
  const { status, stdout, stderr } = result;
  if (status !== 0) return { message: decoder.decode(stderr).trimEnd() };
  return { texts: decoder.decode(stdout).trimEnd().split('\n').pop().split(' ') };
}

const dates = () => input.value.split(/[\r\n\0]/).map((line) => line.trim()).filter(Boolean);
const now = () => Math.floor(Date.now() / 1000);

// The timeline, drawn once from the core's region table; the mark follows
// the instant shown.
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
let mark = null;

let shownAt = null; // the second shown while the input is empty
function show() {
  const list = dates();
  const clock = now();
  shownAt = list.length === 0 ? clock : null;
  const first = convert(list.length === 0 ? null : list[0], clock);
  const live = list.length === 0 ? 'off' : 'polite'; // a ticking clock is not news
  for (const output of outputs) output.setAttribute('aria-live', live);
  message.textContent = first.message ?? '';
  results.classList.toggle('stale', first.texts === undefined);
  if (first.texts !== undefined) {
    first.texts.forEach((text, i) => (outputs[i].textContent = text));
    const unix = outputs[letters.indexOf('u')].textContent;
    mark?.remove();
    mark = picture.instant(BigInt(unix.slice(1)));
    timeline.append(mark);
  }
  rows.hidden = list.length < 2;
  if (!rows.hidden) {
    const items = list.map((date) => {
      const { texts, message } = convert(date, clock);
      const item = document.createElement('li');
      item.textContent = texts ? texts.join(' ') : message;
      item.classList.toggle('failed', !texts);
      return item;
    });
    byId('row-list').replaceChildren(...items);
  }
}

setInterval(() => {
  if (shownAt !== null && now() !== shownAt) show();
}, 200);

// The fragment holds the input and the digits. Typing replaces the current
// history entry, after one new entry at its start; anything else adds one.
let committed = true;
function remember(push) {
  const fragment = '#' + new URLSearchParams({ date: input.value, digits: digits.value });
  if (fragment !== location.hash) history[push || committed ? 'pushState' : 'replaceState'](null, '', fragment);
  committed = push;
}
function recall() {
  const params = new URLSearchParams(location.hash.slice(1));
  input.value = params.get('date') ?? '';
  digits.value = params.get('digits');
  if (digits.selectedIndex < 0) digits.value = [...digits.options].find((o) => o.defaultSelected).value;
  committed = true;
  show();
}
addEventListener('popstate', recall);
addEventListener('hashchange', recall);
input.addEventListener('input', () => {
  remember(false);
  show();
});
input.addEventListener('change', () => (committed = true));
digits.addEventListener('change', () => {
  remember(true);
  show();
});

// Instants to try: the boundaries of the timeline, each by a text that
// names it exactly (the last instant lies within a count).
const instants = byId('instants');
boundaries.forEach((b, i) => {
  const last = i === boundaries.length - 1;
  const button = document.createElement('button');
  button.type = 'button';
  button.dataset.date = last ? b.unix : b.aeonmark;
  button.textContent = (i === 0 ? 'first: ' : last ? 'last: ' : '') + button.dataset.date;
  instants.append(button);
});
instants.addEventListener('click', (event) => {
  const date = event.target.closest('button')?.dataset.date;
  if (date === undefined) return;
  input.value = date;
  remember(true);
  show();
});

// Copy buttons say for a moment that they did.
async function copy(button, text) {
  const label = (button.dataset.label ??= button.textContent);
  try {
    await navigator.clipboard.writeText(text);
    button.textContent = 'copied';
  } catch {
    button.textContent = 'not copied';
  }
  setTimeout(() => (button.textContent = label), 1500);
}
results.addEventListener('click', (event) => {
  const button = event.target.closest('button');
  if (button) copy(button, button.closest('tr').querySelector('output').textContent);
});
byId('copy-all').addEventListener('click', (event) => {
  const lines = [...byId('row-list').children].map((item) => item.textContent + '\n');
  copy(event.currentTarget, lines.join(''));
});

if (location.hash) recall();
else show();
