// The dateline (电头): goes at the start of the first body paragraph, after its indent, and
// never into the title, a subheading, a list or a table. "{date}" in an item becomes today's
// date in Chinese form, such as 2026年12月7日.
import { escapeHtml } from '../../core/html.js';

function chineseDate(date) {
  return date.getFullYear() + '年' + (date.getMonth() + 1) + '月' + date.getDate() + '日';
}

function withDate(item, date) {
  return item.replace(/\{date\}/g, chineseDate(date));
}

// A body paragraph: a top-level <p> that is neither centred nor right-aligned (title,
// captions, signatures) and holds text rather than just an image.
function isBodyParagraph(p) {
  if (/text-align\s*:\s*(center|right)/i.test(p.getAttribute('style') || '')) return false;
  return (p.textContent || '').trim() !== '';
}

// body: a detached <body> holding the article; changed in place.
function insertInto(body, dateline, indent, date) {
  const html = withDate(dateline, date);
  const first = Array.from(body.children).find((el) => el.nodeName === 'P' && isBodyParagraph(el));
  if (/^\s*<(p|div|h[1-6]|table|blockquote)\b/i.test(html) || !first) {
    // A block dateline (or an article without body text) goes before the first body
    // paragraph, after the title.
    const holder = body.ownerDocument.createElement('div');
    holder.innerHTML = html;
    const anchor = first || null;
    while (holder.firstChild) body.insertBefore(holder.firstChild, anchor);
    return;
  }
  const lead = first.firstChild && first.firstChild.nodeType === 3 ? first.firstChild : null;
  const text = lead ? lead.nodeValue : '';
  const keep = indent && text.startsWith(indent) ? indent : '';
  if (lead) lead.nodeValue = text.slice(keep.length);
  first.insertAdjacentHTML('afterbegin', escapeHtml(keep) + html);
}

export { chineseDate, withDate, insertInto };
