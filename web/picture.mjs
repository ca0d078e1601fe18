// The region timeline as the page draws it, written as SVG text to the file
// named by the first argument: node picture.mjs regions.svg
import { writeFileSync } from 'node:fs';

const aeonmark = await loadAeonmark(createCore);

// An element as text; children are elements made here or plain text.
function svgMarkup(tag, attributes, ...children) {
  const escape = (text) => String(text).replace(/[&<>"]/g, (c) => `&#${c.charCodeAt(0)};`);
  const names = Object.entries(attributes).map(([name, value]) => ` ${name}="${escape(value)}"`);
  const inside = children.map((child) => child.markup ?? escape(child));
  return { markup: `<${tag}${names.join('')}>${inside.join('')}</${tag}>` };
}

const picture = drawTimeline(svgMarkup, aeonmark.regions());
const { width, height } = picture;
const root = { xmlns: 'http://www.w3.org/2000/svg', width, height, viewBox: `0 0 ${width} ${height}` };
// On a background of its own, to read on a page of either colour.
const background = svgMarkup('rect', { width: '100%', height: '100%', fill: '#fff' });
writeFileSync(process.argv[2], svgMarkup('svg', root, background, ...picture.shapes).markup + '\n');
