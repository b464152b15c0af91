// The drop-down of a toolbar command: one entry a choice, chosen on mousedown so that the
// editor keeps its selection.
import { sanitizeHtml } from './sanitize.js';

// items: [[value, caption, asHtml]], an HTML caption (a settings value) sanitized; empty: the text shown when there is nothing to choose.
function popupMenu(doc, items, choose, close, empty) {
  const box = doc.createElement('div');
  box.className = 'corvel-menu';
  if (items.length === 0) {
    box.textContent = empty || '';
    return box;
  }
  for (const [value, caption, asHtml] of items) {
    const entry = doc.createElement('div');
    entry.className = 'corvel-menu-item';
    if (asHtml) entry.innerHTML = sanitizeHtml(caption);
    else entry.textContent = caption;
    entry.addEventListener('mousedown', function (event) {
      event.preventDefault();
      choose(value);
      close();
    });
    box.appendChild(entry);
  }
  return box;
}

export { popupMenu };
