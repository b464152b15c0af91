// The dateline (电头): goes at the start of the first body paragraph, after its indent, and
// never into the title, a subheading, a list or a table. "{date}" in an item becomes today's
// date in Chinese form, such as 2026年12月7日. The editor line (责任编辑) goes at the end.
// Each returns where the caret belongs: {block, offset}, a top-level element's index and a
// character offset in its text.
import { escapeHtml } from '../../core/html.js';
import { isShortLine } from '../formatting/formatter.js';

const BLOCK = /^\s*<(p|div|h[1-6]|table|blockquote)\b/i;
// An item that ends in a letter gets a full-width space, so that it never runs into the body.
const ENDS_APART = /[\s\u3000\p{P}\p{S}]$/u;
// The name slot of an editor line: a colon followed by nothing but closing marks.
const NAME_SLOT = /[：:]([\s\u3000）)】\]」』》>]*)$/;

function chineseDate(date) {
  return date.getFullYear() + '年' + (date.getMonth() + 1) + '月' + date.getDate() + '日';
}

function withDate(item, date) {
  return item.replace(/\{date\}/g, chineseDate(date));
}

const textOf = (el) => (el.textContent || '').trim();

// A body paragraph: a top-level <p> that is neither centred nor right-aligned (title,
// captions, signatures) and holds text rather than just an image.
function isBodyParagraph(p) {
  if (/text-align\s*:\s*(center|right)/i.test(p.getAttribute('style') || '')) return false;
  return textOf(p) !== '';
}

// The first body paragraph. In a plain-text article the title is only its first line: a short
// one without sentence punctuation or an indent, with body text after it.
function isPlainTitle(el) {
  return isShortLine(textOf(el)) && !/^[\s\u3000]/.test(el.textContent);
}

function firstBodyParagraph(body) {
  const blocks = Array.from(body.children).filter((el) => textOf(el) !== '');
  const paragraphs = blocks.filter((el) => el.nodeName === 'P' && isBodyParagraph(el));
  if (paragraphs.length > 1 && paragraphs[0] === blocks[0] && isPlainTitle(blocks[0])) return paragraphs[1];
  return paragraphs[0];
}

function caretAt(body, el, offset) {
  return { block: Array.prototype.indexOf.call(body.children, el), offset: offset };
}

// body: a detached <body> holding the article; changed in place.
function insertInto(body, dateline, indent, date) {
  let html = withDate(dateline, date);
  const first = firstBodyParagraph(body);
  const holder = body.ownerDocument.createElement('div');
  holder.innerHTML = html;
  if (!BLOCK.test(html) && !ENDS_APART.test(holder.textContent)) {
    html += '\u3000';
    holder.append('\u3000');
  }
  if (BLOCK.test(html) || !first) {
    // A block dateline (or an article without body text) goes before the first body
    // paragraph, after the title.
    const last = holder.lastChild;
    while (holder.firstChild) body.insertBefore(holder.firstChild, first || null);
    return last && last.nodeType === 1 ? caretAt(body, last, last.textContent.length) : { block: -1, offset: 0 };
  }
  const lead = first.firstChild && first.firstChild.nodeType === 3 ? first.firstChild : null;
  const text = lead ? lead.nodeValue : '';
  const keep = indent && text.startsWith(indent) ? indent : '';
  if (lead) lead.nodeValue = text.slice(keep.length);
  first.insertAdjacentHTML('afterbegin', escapeHtml(keep) + html);
  return caretAt(body, first, keep.length + holder.textContent.length);
}

// An editor line that is a block of its own stays one; text gets a paragraph. The caret goes
// into its name slot, or after it when it has none.
function appendEditorLine(body, line) {
  body.insertAdjacentHTML('beforeend', BLOCK.test(line) ? line : '<p>' + line + '</p>');
  const last = body.lastElementChild;
  const text = last.textContent;
  const slot = NAME_SLOT.exec(text);
  return caretAt(body, last, slot ? text.length - slot[1].length : text.length);
}

export { chineseDate, withDate, insertInto, appendEditorLine };
