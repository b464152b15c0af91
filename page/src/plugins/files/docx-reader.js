// A Word file as article HTML. mammoth reads the body; what it leaves out is added around it:
// alignment (from the paragraph or its style) and heading levels (Heading 1–6, 标题 1–6 or the
// style's outline level) are given to each paragraph in mammoth's document tree, Symbol and
// Wingdings characters become Unicode, simple fields show their text, and notes become a
// numbered 注释 list without back links.
import JSZip from 'jszip';
import * as dingbats from 'dingbat-to-unicode';
import { parseFragment, escapeHtml } from '../../core/html.js';
import { sanitizeHtml } from '../../core/sanitize.js';

const ALIGNMENTS = { center: 'center', right: 'right', end: 'right', both: 'justify', distribute: 'justify' };
const BLOCK_TAGS = ['p', 'h1', 'h2', 'h3', 'h4', 'h5', 'h6'];
const HEADING_NAME = /^(?:heading|标题)\s*([1-6])$/i;
const PAGE_BREAK_CLASS = 'corvel-page-break';

// Every combination of block and alignment the tree can ask for, as mammoth style mappings.
const STYLE_MAP = ['u => u', "br[type='page'] => hr." + PAGE_BREAK_CLASS].concat(
  ...BLOCK_TAGS.map((tag) => ['', 'center', 'right', 'justify'].map((align) =>
    "p[style-name='corvel " + tag + ' ' + align + "'] => " + tag + (align ? '.corvel-align-' + align : '') + ':fresh')));

const attr = (xml, name) => {
  const m = xml.match(new RegExp('<w:' + name + '\\b[^>]*\\bw:val="([^"]*)"'));
  return m ? m[1] : undefined;
};

// Paragraph styles by id: {name, align, level}, each with what it inherits from its base style.
function styleTable(xml) {
  const raw = {};
  for (const m of (xml || '').matchAll(/<w:style\b([^>]*)>([\s\S]*?)<\/w:style>/g)) {
    const id = (m[1].match(/w:styleId="([^"]*)"/) || [])[1];
    if (!id) continue;
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
    const style = styles[node.styleId] || {};
    const level = style.level || 0;
    const align = ALIGNMENTS[node.alignment || style.align] || '';
    if (level || (align && !node.numbering)) node.styleName = 'corvel ' + (level ? 'h' + level : 'p') + ' ' + align;
  }
  if (node.children) for (const child of node.children) transformTree(child, styles);
  return node;
}

// The file with every simple field replaced by its shown text, which mammoth would drop.
async function withFieldsShown(zip) {
  for (const name of ['word/document.xml', 'word/footnotes.xml', 'word/endnotes.xml']) {
    const part = zip.file(name);
    if (part) zip.file(name, (await part.async('string')).replace(/<w:fldSimple\b[^>]*\/>/g, '').replace(/<\/?w:fldSimple\b[^>]*>/g, ''));
  }
  return zip.generateAsync({ type: 'uint8array', compression: 'STORE' });
}

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

function finish(html, pageBreakTag) {
  const body = parseFragment(sanitizeHtml(html));
  for (const node of Array.from(body.querySelectorAll('[class*="corvel-align-"]'))) {
    node.setAttribute('style', 'text-align:' + /corvel-align-(\w+)/.exec(node.className)[1]);
    node.removeAttribute('class');
  }
  for (const hr of Array.from(body.querySelectorAll('hr.' + PAGE_BREAK_CLASS))) {
    if (pageBreakTag) hr.insertAdjacentHTML('beforebegin', '<p>' + escapeHtml(pageBreakTag) + '</p>');
    hr.remove();
  }
  tidyNotes(body);
  return body.innerHTML;
}

// bytes: the .docx file. Resolves to {html, warnings}; rejects a file that is no Word document.
async function readWordFile(bytes, mammoth, options) {
  const zip = await JSZip.loadAsync(bytes);
  const stylesPart = zip.file('word/styles.xml');
  const styles = styleTable(stylesPart ? await stylesPart.async('string') : '');
  // The browser build reads arrayBuffer, the Node one buffer.
  const whole = (b) => (b.byteOffset === 0 && b.byteLength === b.buffer.byteLength ? b.buffer : b.slice().buffer);
  const convert = (input) => mammoth.convertToHtml({ arrayBuffer: whole(input), buffer: input }, {
    styleMap: STYLE_MAP,
    transformDocument: (document) => transformTree(document, styles),
  });
  let result = await convert(bytes);
  // Read again only for a file that has simple fields: most have none.
  if (result.messages.some((m) => /w:fldSimple/.test(m.message))) result = await convert(await withFieldsShown(zip));
  return {
    html: finish(result.value, (options || {}).pageBreakTag),
    warnings: result.messages.filter((m) => m.type === 'error'),
  };
}

export { readWordFile, styleTable };
