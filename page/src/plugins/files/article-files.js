// Files in and out: an opened .docx, .html or .txt becomes article HTML; the article goes
// out as a Word document, a self-contained web page or plain text. Word files are read with
// mammoth and JSZip and written with docx (all given by the caller: the page's globals, or the
// packages under Node).
import * as images from '../pictures/article-images.js';
import { escapeAttr } from '../../core/html.js';
import { sanitizeHtml } from '../../core/sanitize.js';
import { plainTextToHtml } from '../formatting/plain-text.js';
import { readWordFile } from './docx-reader.js';
import { wordDocument, imageSize, base64ToBytes } from './docx-writer.js';

// What lies between a web page's first <body ...> and the </body> after it (the whole text
// without a body tag). Searched by position, not by one regular expression over the whole
// text: each step is linear, however often "<body" repeats.
function pageBody(text) {
  const open = text.search(/<body\b/i);
  const start = open < 0 ? -1 : text.indexOf('>', open);
  if (start < 0) return text;
  const rest = text.slice(start + 1);
  const close = rest.search(/<\/body\b/i);
  return close < 0 ? rest : rest.slice(0, close);
}

// file: what the host's open dialog returned.
// Resolves to {html, warnings}.
// wordLibraries: {mammoth, JSZip}, for a Word file.
async function readOpenedFile(file, wordLibraries, options) {
  if (file.kind === 'docx') return readWordFile(base64ToBytes(file.base64 || ''), wordLibraries, options);
  if (file.kind === 'html') {
    return { html: sanitizeHtml(pageBody(file.text || '')), warnings: [] };
  }
  return { html: plainTextToHtml(file.text || ''), warnings: [] };
}

// --- Out ---------------------------------------------------------------------------------

const ownRows = (table) => Array.from(table.querySelectorAll('tr')).filter((tr) => tr.closest('table') === table);

// The article as plain text, "[图片]" where each image (or missing image) stood, and a table
// row on one line with its cells separated by tabs.
function plainTextWithImages(body, plainText) {
  const doc = body.ownerDocument;
  const marks = body.querySelectorAll('img,[data-corvel-mark="' + images.MISSING_MARK + '"]');
  for (const node of Array.prototype.slice.call(marks)) {
    const p = doc.createElement('p');
    p.textContent = '[图片]';
    node.parentNode.replaceChild(p, node);
  }
  const tables = Array.from(body.querySelectorAll('table')).filter((t) => !t.parentNode.closest('table'));
  const rows = tables.map((table, i) => {
    const lines = ownRows(table).map((tr) => Array.from(tr.children).map((cell) => plainText(cell).split('\n').join(' ')).join('\t'));
    const p = doc.createElement('p');
    p.textContent = '\u2063table' + i + '\u2063';
    table.parentNode.replaceChild(p, table);
    return lines.join('\n');
  });
  return plainText(body).replace(/\u2063table(\d+)\u2063/g, (m, i) => rows[i]);
}

// body: images already inlined.
function selfContainedHtml(body, title) {
  return '<!DOCTYPE html>\n<html lang="zh-CN">\n<head>\n<meta charset="utf-8">\n<title>' + escapeAttr(title || '文章') +
    '</title>\n</head>\n<body>\n' + body.innerHTML + '\n</body>\n</html>\n';
}

// A file name from the article's title, without characters that file systems refuse.
function fileName(title, extension) {
  const base = String(title || '').replace(/[\\/:*?"<>|\u0000-\u001f]/g, '_').trim().slice(0, 60);
  return (base || '文章') + '.' + extension;
}

// An opened file's draft is called by the file's name, without its extension.
function titleOf(name) {
  return String(name || '').replace(/\.[^.]*$/, '').trim();
}

export { titleOf, readOpenedFile, plainTextWithImages, selfContainedHtml, wordDocument, imageSize, fileName, base64ToBytes };
