// The page-break marker shows as a labelled divider in the editor; the stored article keeps
// the configured tag alone.
import { escapeHtml } from '../../core/html.js';

const BREAK_ATTRS = ' data-corvel-page-break="" contenteditable="false"';

function decorate(area, tag) {
  // Most articles hold no marker: one pass over the text instead of a string per paragraph,
  // which at 300,000 characters took tens of milliseconds after every pause in typing.
  if (!tag || area.textContent.indexOf(tag) < 0) return;
  for (const p of Array.from(area.querySelectorAll('p'))) {
    if (!p.hasAttribute('data-corvel-page-break') && p.textContent.trim() === tag) {
      p.setAttribute('data-corvel-page-break', '');
      p.setAttribute('contenteditable', 'false');
    }
  }
}

const undecorate = (html) => (html.includes(BREAK_ATTRS) ? html.split(BREAK_ATTRS).join('') : html);

const breakHtml = (tag) => '<p' + BREAK_ATTRS + '>' + escapeHtml(tag) + '</p><p><br></p>';

export { decorate, undecorate, breakHtml };
