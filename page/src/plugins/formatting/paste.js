// Pasted HTML: a short inline snippet only gets the text steps, so that pasting a word into a
// paragraph does not split it; anything with paragraphs or images is formatted as article text
// when automatic formatting is on.
import { escapeHtml, parseFragment } from '../../core/html.js';
import { sanitizeHtml } from '../../core/sanitize.js';
import { eachTextNode } from '../../core/rules.js';
import { formatNode } from './formatter.js';
import { fix } from './punctuation.js';
import { plainTextToHtml } from './plain-text.js';

// The formatter's options from the page's settings, with the text steps and junk rules.
function formatOptions(settings, steps) {
  return {
    paragraphBeforeBlank: settings.paragraphBeforeBlank,
    imageJustify: settings.imageJustify,
    captionJustify: settings.captionJustify,
    captionMaxLength: settings.captionMaxLength,
    captionEndSign: settings.captionEndSign,
    retainBold: settings.retainBold,
    pageBreakTag: settings.pageBreakTag,
    transformText: steps.automatic,
    punctuate: fix,
    junk: steps.junk,
  };
}

// The text of a plain-text paste of several lines, or null: the editor hands plain text over
// escaped, with <br> for its line breaks; text without any markup comes as it is.
function pastedLines(html) {
  if (html.indexOf('<') < 0) return /[\r\n]/.test(html.trim()) ? html : null;
  if (!/^(?:[^<]|<br\s*\/?>)*$/i.test(html) || !/<br/i.test(html)) return null;
  return parseFragment(html.replace(/<br\s*\/?>(?:\r?\n)?/gi, '\n')).textContent;
}

function processPaste(html, settings, steps) {
  const isPlain = html.indexOf('<') < 0;
  // Plain text of several lines is laid out as an article when formatting is on.
  const lines = settings.autoFormat ? pastedLines(html) : null;
  const body = parseFragment(lines !== null ? plainTextToHtml(lines)
    : isPlain ? escapeHtml(html).replace(/\r?\n/g, '<br>') : sanitizeHtml(html));
  const structured = /<(p|div|h[1-6]|li|tr|table|img|br|blockquote|section|article)\b/i.test(body.innerHTML);
  if (settings.autoFormat && structured) return formatNode(body, formatOptions(settings, steps));
  eachTextNode(body, steps.automatic);
  return body.innerHTML;
}

export { formatOptions, processPaste };
