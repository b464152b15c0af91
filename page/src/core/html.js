// HTML text helpers shared by every part of the page.

const SPECIAL = /[&<>]/;

function escapeHtml(text) {
  const s = String(text);
  // Most text has nothing to escape: one scan instead of three.
  return SPECIAL.test(s) ? s.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;') : s;
}

function escapeAttr(text) {
  return escapeHtml(text).replace(/"/g, '&quot;');
}

// A detached <body> holding html, for rebuilding HTML without touching the live editor. In the
// page it comes from an inert document; under Node from the test DOM's DOMParser.
function parseFragment(html) {
  const doc = typeof document !== 'undefined' && document.implementation
    ? document.implementation.createHTMLDocument('')
    : new DOMParser().parseFromString('<!DOCTYPE html><html><body></body></html>', 'text/html');
  doc.body.innerHTML = html;
  return doc.body;
}

// A new element of the page's own controls, with its class and text.
function element(doc, tag, className, text) {
  const el = doc.createElement(tag);
  if (className) el.className = className;
  if (text !== undefined) el.textContent = text;
  return el;
}

export { escapeHtml, escapeAttr, parseFragment, element };
