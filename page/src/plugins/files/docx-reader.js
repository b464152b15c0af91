// A Word file as article HTML. mammoth reads the body; what it leaves out is added around it:
// alignment (from the paragraph or its style) and heading levels (Heading 1–6, 标题 1–6 or the
// style's outline level) are given to each paragraph in mammoth's document tree, Symbol and
// Wingdings characters become Unicode, simple fields show their text, ordered lists keep their
// number format, and notes become a numbered 注释 list without back links.
import * as dingbats from 'dingbat-to-unicode';
import { parseFragment } from '../../core/html.js';
import { sanitizeHtml } from '../../core/sanitize.js';

const ALIGNMENTS = { center: 'center', right: 'right', end: 'right', both: 'justify', distribute: 'justify' };
const BLOCK_TAGS = ['p', 'h1', 'h2', 'h3', 'h4', 'h5', 'h6'];
const HEADING_NAME = /^(?:heading|标题)\s*([1-6])$/i;
const PAGE_BREAK_CLASS = 'corvel-page-break';
const BLOCK = /^(P|H[1-6]|OL|UL|TABLE|HR|DIV|BLOCKQUOTE)$/;
const LIST_ITEM_MARK = /^corvel-list-(.+)/;
// Word's number formats that an ordered list can show, as CSS list styles.
const LIST_STYLES = {
  lowerLetter: 'lower-alpha', upperLetter: 'upper-alpha', lowerRoman: 'lower-roman', upperRoman: 'upper-roman',
  chineseCounting: 'cjk-ideographic', chineseCountingThousand: 'cjk-ideographic', ideographTraditional: 'cjk-ideographic',
};
const LIST_MARK = 'corvel-list-';
const CSS_LISTS = Object.values(LIST_STYLES).filter((v, i, all) => all.indexOf(v) === i);
const LEVELS = [1, 2, 3, 4, 5, 6, 7, 8, 9];

// Every combination of block and alignment the tree can ask for, as mammoth style mappings.
const STYLE_MAP = ['u => u', "br[type='page'] => hr." + PAGE_BREAK_CLASS].concat(
  ...BLOCK_TAGS.map((tag) => ['', 'center', 'right', 'justify'].map((align) =>
    "p[style-name='corvel " + tag + ' ' + align + "'] => " + tag + (align ? '.corvel-align-' + align : '') + ':fresh')),
  ...CSS_LISTS.map((css) => LEVELS.map((level) =>
    "p[style-name='corvel li " + css + ' ' + level + "'] => " + 'ul|ol > li > '.repeat(level - 1) + 'ol > li:fresh > span.' + LIST_MARK + css)),
  // mammoth's own mappings end at the fifth level.
  ...['ul', 'ol'].map((tag) => LEVELS.slice(5).map((level) =>
    'p:' + (tag === 'ul' ? 'unordered' : 'ordered') + '-list(' + level + ') => ' + 'ul|ol > li > '.repeat(level - 1) + tag + ' > li:fresh')));

const attr = (xml, name) => {
  const m = xml.match(new RegExp('<w:' + name + '\\b[^>]*\\bw:val="([^"]*)"'));
  return m ? m[1] : undefined;
};

// Paragraph styles by id: {align, level}, each with what it inherits from its base style; under
// '' the default paragraph style, which a paragraph that names none has.
function styleTable(xml) {
  const raw = {};
  let standard = null;
  for (const m of (xml || '').matchAll(/<w:style\b([^>]*)>([\s\S]*?)<\/w:style>/g)) {
    const id = (m[1].match(/w:styleId="([^"]*)"/) || [])[1];
    if (!id) continue;
    if (/w:type="paragraph"/.test(m[1]) && /w:default="(?:1|true)"/.test(m[1])) standard = id;
    const pPr = (m[2].match(/<w:pPr\b[\s\S]*?<\/w:pPr>/) || [''])[0];
    const outline = attr(pPr, 'outlineLvl');
    raw[id] = { name: attr(m[2], 'name') || '', basedOn: attr(m[2], 'basedOn'), align: attr(pPr, 'jc'), outline: outline };
  }
  const resolved = {};
  const resolve = (id, depth) => {
    const style = raw[id];
    if (!style || depth > 20) return {};
    if (resolved[id]) return resolved[id];
    const base = resolve(style.basedOn, depth + 1);
    const name = HEADING_NAME.exec(style.name.trim());
    const outline = style.outline !== undefined ? Number(style.outline) + 1 : base.outlineLevel;
    resolved[id] = {
      align: style.align !== undefined ? style.align : base.align,
      outlineLevel: outline,
      level: name ? Number(name[1]) : outline >= 1 && outline <= 6 ? outline : 0,
    };
    return resolved[id];
  };
  for (const id of Object.keys(raw)) resolve(id, 0);
  resolved[''] = resolved[standard] || {};
  return resolved;
}

// A character of a symbol font, stored in its private-use position, as Unicode.
function unicodeOf(font, text) {
  return text.replace(/[\uf020-\uf0ff]/g, (c) => {
    const found = dingbats.codePoint(font, c.charCodeAt(0) - 0xf000);
    return found ? found.string : c;
  });
}

function transformTree(node, styles) {
  if (node.type === 'run' && node.font) {
    for (const child of node.children) if (child.type === 'text') child.value = unicodeOf(node.font, child.value);
  }
  if (node.type === 'paragraph') {
    const style = styles[node.styleId || ''] || {};
    const level = style.level || 0;
    const align = ALIGNMENTS[node.alignment || style.align] || '';
    const list = node.numbering && node.numbering.isOrdered && LIST_ITEM_MARK.exec(node.numbering.paragraphStyleId || '');
    if (level || (align && !node.numbering)) node.styleName = 'corvel ' + (level ? 'h' + level : 'p') + ' ' + align;
    else if (list && Number(node.numbering.level) < LEVELS.length) node.styleName = 'corvel li ' + list[1] + ' ' + (Number(node.numbering.level) + 1);
  }
  if (node.children) for (const child of node.children) transformTree(child, styles);
  return node;
}

// mammoth keeps no list's number format: each level that names no paragraph style is given
// a made-up one that names its format, which the paragraphs of the list then carry.
function withListFormats(xml) {
  return xml.replace(/<w:lvl\b[^>]*>[\s\S]*?<\/w:lvl>/g, (lvl) => {
    const css = LIST_STYLES[attr(lvl, 'numFmt')];
    return css && !/<w:pStyle\b/.test(lvl) ? lvl.replace(/^<w:lvl\b[^>]*>/, '$&<w:pStyle w:val="' + LIST_MARK + css + '"/>') : lvl;
  });
}

// Every simple field replaced by its shown text, which mammoth would drop.
async function showFields(zip) {
  for (const name of ['word/document.xml', 'word/footnotes.xml', 'word/endnotes.xml']) {
    const part = zip.file(name);
    if (part) zip.file(name, (await part.async('string')).replace(/<w:fldSimple\b[^>]*\/>/g, '').replace(/<\/?w:fldSimple\b[^>]*>/g, ''));
  }
}

const rezipped = (zip) => zip.generateAsync({ type: 'uint8array', compression: 'STORE' });

// mammoth's notes: "[1]" links in the text and a list whose items end in a "↑" link back.
function tidyNotes(body) {
  for (const link of Array.from(body.querySelectorAll('a[href^="#footnote-"], a[href^="#endnote-"]'))) {
    if (/-ref-/.test(link.getAttribute('href'))) link.remove();
    else link.replaceWith(...Array.from(link.childNodes));
  }
  const items = Array.from(body.querySelectorAll('li[id^="footnote-"], li[id^="endnote-"]'));
  for (const item of items) item.removeAttribute('id');
  const list = items.length ? items[0].parentNode : null;
  if (list) {
    const title = body.ownerDocument.createElement('p');
    title.textContent = '注释';
    list.parentNode.insertBefore(title, list);
  }
  for (const ref of Array.from(body.querySelectorAll('[id^="footnote-ref-"], [id^="endnote-ref-"]'))) ref.removeAttribute('id');
}

// A list item's format comes marked on a span around its text (a mark on the item itself would
// keep mammoth from nesting lists in it). mammoth puts the items of one level into one list
// whatever their format: a change of format starts a new list.
function showListFormats(body) {
  const formats = new Map();
  for (const span of Array.from(body.querySelectorAll('span[class^="' + LIST_MARK + '"]'))) {
    formats.set(span.parentNode, span.getAttribute('class').slice(LIST_MARK.length));
    span.replaceWith(...Array.from(span.childNodes));
  }
  for (const list of Array.from(body.querySelectorAll('ol'))) {
    let current = list;
    let format = null;
    for (const item of Array.from(list.children)) {
      const css = formats.get(item) || '';
      if (format !== null && css !== format) {
        const next = body.ownerDocument.createElement('ol');
        current.after(next);
        current = next;
      }
      if (css && css !== format) current.setAttribute('style', 'list-style-type:' + css);
      format = css;
      if (current !== list) current.appendChild(item);
    }
  }
}

// A page break inside a paragraph came out as <p>before<hr>after</p>, which the parser made
// <p>before</p><hr>after<p></p>: the tag's own paragraph takes the rule's place, what follows
// it goes back into a paragraph, and the empty ones go.
function pageBreak(hr, tag) {
  const doc = hr.ownerDocument;
  const rest = doc.createElement('p');
  while (hr.nextSibling && !(hr.nextSibling.nodeType === 1 && BLOCK.test(hr.nextSibling.tagName))) rest.appendChild(hr.nextSibling);
  if (rest.childNodes.length) hr.after(rest);
  const empty = (node) => node && node.nodeType === 1 && node.tagName === 'P' && !node.childNodes.length;
  while (empty(hr.previousSibling)) hr.previousSibling.remove();
  while (empty(hr.nextSibling)) hr.nextSibling.remove();
  if (!tag) return hr.remove();
  const p = doc.createElement('p');
  p.textContent = tag;
  hr.replaceWith(p);
}

function finish(html, pageBreakTag) {
  const body = parseFragment(sanitizeHtml(html));
  for (const node of Array.from(body.querySelectorAll('[class*="corvel-align-"]'))) {
    node.setAttribute('style', 'text-align:' + /corvel-align-(\w+)/.exec(node.className)[1]);
    node.removeAttribute('class');
  }
  for (const hr of Array.from(body.querySelectorAll('hr.' + PAGE_BREAK_CLASS))) pageBreak(hr, pageBreakTag);
  // A table whose rows were all deleted as tracked changes is gone once they are accepted.
  for (const table of Array.from(body.querySelectorAll('table'))) if (!table.querySelector('td,th')) table.remove();
  showListFormats(body);
  tidyNotes(body);
  return body.innerHTML;
}

// bytes: the .docx file; libraries: {mammoth, JSZip} (the page loads both on first use). Resolves
// to {html, warnings}; rejects a file that is no Word document.
async function readWordFile(bytes, libraries, options) {
  const { mammoth, JSZip } = libraries;
  const zip = await JSZip.loadAsync(bytes);
  const stylesPart = zip.file('word/styles.xml');
  const styles = styleTable(stylesPart ? await stylesPart.async('string') : '');
  // The browser build reads arrayBuffer, the Node one buffer.
  const whole = (b) => (b.byteOffset === 0 && b.byteLength === b.buffer.byteLength ? b.buffer : b.slice().buffer);
  const convert = (input) => mammoth.convertToHtml({ arrayBuffer: whole(input), buffer: input }, {
    styleMap: STYLE_MAP,
    transformDocument: (document) => transformTree(document, styles),
  });
  const numbering = zip.file('word/numbering.xml');
  const numberingXml = numbering ? await numbering.async('string') : '';
  const listed = withListFormats(numberingXml);
  if (listed !== numberingXml) zip.file('word/numbering.xml', listed);
  let result = await convert(listed !== numberingXml ? await rezipped(zip) : bytes);
  // Read again only for a file that has simple fields: most have none.
  if (result.messages.some((m) => /w:fldSimple/.test(m.message))) {
    await showFields(zip);
    result = await convert(await rezipped(zip));
  }
  return {
    html: finish(result.value, (options || {}).pageBreakTag),
    warnings: result.messages.filter((m) => m.type === 'error'),
  };
}

export { readWordFile, styleTable };
