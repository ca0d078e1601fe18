// The node module: the command line, callable, and the region timeline as
// the page draws it, written as SVG text.
const aeonmark = await loadAeonmark(createCore);

export const run = aeonmark.run;

export function timelinePicture() {
  const picture = drawTimeline(svgMarkup, aeonmark.regions());
  const { width, height } = picture;
  const root = { xmlns: 'http://www.w3.org/2000/svg', width, height, viewBox: `0 0 ${width} ${height}` };
  // On a background of its own, to read on a page of either colour.
  const background = svgMarkup('rect', { width: '100%', height: '100%', fill: '#fff' });
  return svgMarkup('svg', root, background, ...picture.shapes).markup + '\n';
}

// An element as text; children are elements made here or plain text.
function svgMarkup(tag, attributes, ...children) {
  const escape = (text) => String(text).replace(/[&<>"]/g, (c) => `&#${c.charCodeAt(0)};`);
  const names = Object.entries(attributes).map(([name, value]) => ` ${name}="${escape(value)}"`);
  const inside = children.map((child) => child.markup ?? escape(child));
  return { markup: `<${tag}${names.join('')}>${inside.join('')}</${tag}>` };
}
