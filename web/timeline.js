// The aeonmark regions as a picture: a bar from the first instant down to
// the last, one band of equal height for each stretch between boundaries
// (their lengths differ by eight orders of magnitude), each boundary named
// in aeonmark and Gregorian text. el(tag, attributes, ...children) makes
// one SVG element, children being elements or text, so that the page builds
// DOM nodes and node writes the same picture as text.
const TIMELINE = { width: 320, top: 10, band: 60, bar: 12, text: 24 };

// Returns {width, height, shapes, instant(seconds)}: the picture's size, its
// elements, and a mark for an instant (whole seconds of Unix time, a BigInt)
// in the band that holds it, placed in proportion within the band.
function drawTimeline(el, boundaries) {
  const { width, top, band, bar, text } = TIMELINE;
  const y = (i) => top + i * band;
  const shapes = [];
  boundaries.forEach((b, i) => {
    const last = i === boundaries.length - 1;
    if (!last) {
      shapes.push(el('rect', { x: 4, y: y(i), width: bar, height: band, 'fill-opacity': i % 2 ? 0.45 : 0.2 }));
      shapes.push(el('text', { x: text, y: y(i) + 42, 'font-style': 'italic' }, `counts of ${b.days} days`));
    }
    shapes.push(el('line', { x1: 0, x2: bar + 8, y1: y(i), y2: y(i), stroke: 'currentColor' }));
    shapes.push(el('text', { x: text, y: y(i) + 4, 'font-weight': 'bold' }, nameOf(b)));
    shapes.push(el('text', { x: text, y: y(i) + 18 }, b.gregorian));
  });
  const height = y(boundaries.length - 1) + 26;

  function instant(seconds) {
    const i = regionOf(boundaries, seconds);
    const [from, to] = [boundaries[i].seconds, boundaries[i + 1].seconds];
    const at = y(i) + (band * Number(((seconds - from) * 1000n) / (to - from))) / 1000;
    return el('path', { class: 'instant', d: `M0 ${at - 5}L${4 + bar} ${at}L0 ${at + 5}Z` });
  }

  return {
    width,
    height,
    shapes: [el('g', { 'font-family': 'monospace', 'font-size': 12, fill: 'currentColor' }, ...shapes)],
    instant,
  };
}

// The text that names a boundary exactly: its aeonmark text, which names the
// start of a count; for the last instant, which lies within a count, its
// Unix text.
const nameOf = (b) => (b.days === undefined ? b.unix : b.aeonmark);

// The index of the stretch between boundaries that holds an instant (whole
// seconds of Unix time, a BigInt); the last holds the last instant too.
function regionOf(boundaries, seconds) {
  let i = 0;
  while (i + 2 < boundaries.length && seconds >= boundaries[i + 1].seconds) ++i;
  return i;
}

// One count to scale: a bar from its start to the next count's start, each
// named above and below the bar, and a mark at the instant, a fraction at
// (0 to 1) of the way along.
function drawCount(el, start, next, at) {
  const { width } = TIMELINE;
  const [left, right, y] = [6, width - 6, 44];
  const x = left + (right - left) * at;
  const name = (b, anchor, edge, top) => [
    el('text', { x: edge, y: top, 'text-anchor': anchor, 'font-weight': 'bold' }, b.aeonmark),
    el('text', { x: edge, y: top + 14, 'text-anchor': anchor }, b.gregorian),
  ];
  return {
    width,
    height: 100,
    shapes: [el('g', { 'font-family': 'monospace', 'font-size': 12, fill: 'currentColor' },
      el('rect', { x: left, y: y - 6, width: right - left, height: 12, 'fill-opacity': 0.2 }),
      el('line', { x1: left, x2: left, y1: 30, y2: y + 10, stroke: 'currentColor' }),
      el('line', { x1: right, x2: right, y1: y - 10, y2: 68, stroke: 'currentColor' }),
      el('path', { class: 'instant', d: `M${x} ${y + 6}L${x + 5} ${y + 16}L${x - 5} ${y + 16}Z` }),
      ...name(start, 'start', left, 12), ...name(next, 'end', right, 80))],
  };
}
