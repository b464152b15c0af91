// Marks the checks draw around text in the live editor (a law term, a corrected place): a
// span with the check's attribute and a title. They show only in the editor: each check keeps
// its marks out of the editor's value and the clipboard, so no save, preview, copy or export
// holds one.
import { parseFragment } from './html.js';

function draw(doc, attribute, value, title, text) {
  const mark = doc.createElement('span');
  mark.setAttribute(attribute, value);
  mark.setAttribute('title', title);
  mark.textContent = text;
  return mark;
}

// Unwraps one mark, keeping whatever the writer typed into it.
function unwrap(mark) {
  const parent = mark.parentNode;
  if (!parent) return;
  while (mark.firstChild) parent.insertBefore(mark.firstChild, mark);
  parent.removeChild(mark);
  if (parent.normalize) parent.normalize();
}

// Unwraps every mark of the attribute below root.
function unmark(root, attribute) {
  for (const mark of Array.from(root.querySelectorAll('span[' + attribute + ']'))) unwrap(mark);
}

// html without the attribute's marks. Marks as draw() makes them go without a parse; one
// the writer edited inside (bold in part) needs the DOM.
const drawnPatterns = new Map();
function unmarkHtml(html, attribute) {
  if (html.indexOf(attribute) < 0) return html;
  if (!drawnPatterns.has(attribute)) {
    drawnPatterns.set(attribute, new RegExp('<span ' + attribute + '="[^"<>]*" title="[^"<>]*">([^<]*)</span>', 'g'));
  }
  html = html.replace(drawnPatterns.get(attribute), '$1');
  if (html.indexOf(attribute) < 0) return html;
  const body = parseFragment(html);
  unmark(body, attribute);
  return body.innerHTML;
}

// Keeps the attribute's marks out of the editor's value and out of what a copy or cut of a
// selection puts on the clipboard: Jodit writes the selection's HTML there itself and then
// tells afterCopy, while the clipboard can still be written.
function keepOut(jodit, attribute) {
  jodit.e.on('afterGetValueFromEditor', (data) => {
    data.value = unmarkHtml(data.value, attribute);
  });
  let copying = null;
  jodit.e.on('copy cut', (event) => {
    copying = event && (event.clipboardData || (event.originalEvent && event.originalEvent.clipboardData));
  }, { top: true });
  jodit.e.on('afterCopy', () => {
    const html = copying ? copying.getData('text/html') : '';
    if (html.indexOf(attribute) >= 0) copying.setData('text/html', unmarkHtml(html, attribute));
  });
}

export { draw, unwrap, unmark, unmarkHtml, keepOut };
