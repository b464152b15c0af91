// Files in and out: an opened .docx, .html or .txt becomes article HTML; the article goes
// out as a Word document, a self-contained web page or plain text. Word files are read with
// mammoth and written with docx (both given by the caller: the page's globals, or the
// packages under Node).
import * as images from '../pictures/article-images.js';
import { escapeAttr } from '../../core/html.js';
import { sanitizeHtml } from '../../core/sanitize.js';
import { readWordFile } from './docx-reader.js';

function base64ToBytes(base64) {
  const binary = atob(base64);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
  return bytes;
}

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

function textToHtml(text) {
  return text
    .split(/\r\n|\r|\n/)
    .filter((line) => line.trim() !== '')
    .map((line) => '<p>' + escapeAttr(line) + '</p>')
    .join('');
}

// file: what the host's open dialog returned; options: {pageBreakTag}.
// Resolves to {html, warnings}.
async function readOpenedFile(file, mammoth, options) {
  if (file.kind === 'docx') return readWordFile(base64ToBytes(file.base64 || ''), mammoth, options);
  if (file.kind === 'html') {
    return { html: sanitizeHtml(pageBody(file.text || '')), warnings: [] };
  }
  return { html: textToHtml(file.text || ''), warnings: [] };
}

// --- Out ---------------------------------------------------------------------------------

// The article as plain text, "[图片]" where each image (or missing image) stood.
function plainTextWithImages(body, plainText) {
  const doc = body.ownerDocument;
  const marks = body.querySelectorAll('img,[data-corvel-mark="' + images.MISSING_MARK + '"]');
  for (const node of Array.prototype.slice.call(marks)) {
    const p = doc.createElement('p');
    p.textContent = '[图片]';
    node.parentNode.replaceChild(p, node);
  }
  return plainText(body);
}

// body: images already inlined.
function selfContainedHtml(body, title) {
  return '<!DOCTYPE html>\n<html lang="zh-CN">\n<head>\n<meta charset="utf-8">\n<title>' + escapeAttr(title || '文章') +
    '</title>\n</head>\n<body>\n' + body.innerHTML + '\n</body>\n</html>\n';
}

// Width and height in pixels from an image file's header, or null.
function imageSize(bytes) {
  const u32be = (i) => ((bytes[i] << 24) >>> 0) + (bytes[i + 1] << 16) + (bytes[i + 2] << 8) + bytes[i + 3];
  const u16le = (i) => bytes[i] + (bytes[i + 1] << 8);
  if (bytes.length >= 24 && bytes[0] === 0x89 && bytes[1] === 0x50) return { width: u32be(16), height: u32be(20) };
  if (bytes.length >= 10 && bytes[0] === 0x47 && bytes[1] === 0x49) return { width: u16le(6), height: u16le(8) };
  if (bytes.length >= 26 && bytes[0] === 0x42 && bytes[1] === 0x4d) {
    return { width: u16le(18) + (u16le(20) << 16), height: Math.abs((u16le(22) + (u16le(24) << 16)) | 0) };
  }
  if (bytes[0] === 0xff && bytes[1] === 0xd8) {
    let i = 2;
    while (i + 9 < bytes.length && bytes[i] === 0xff) {
      const marker = bytes[i + 1];
      const length = (bytes[i + 2] << 8) + bytes[i + 3];
      if (marker >= 0xc0 && marker <= 0xcf && marker !== 0xc4 && marker !== 0xc8 && marker !== 0xcc) {
        return { width: (bytes[i + 7] << 8) + bytes[i + 8], height: (bytes[i + 5] << 8) + bytes[i + 6] };
      }
      i += 2 + length;
    }
  }
  return null;
}

const BLOCKS = /^(p|div|h[1-6]|li|blockquote|section|article|header|footer|table|thead|tbody|tr|td|th|ul|ol|pre|figure|figcaption|center)$/;
const DOCX_TYPES = { 'image/png': 'png', 'image/jpeg': 'jpg', 'image/jpg': 'jpg', 'image/gif': 'gif', 'image/bmp': 'bmp' };
const MAX_IMAGE_WIDTH = 600;

function alignmentOf(node, inherited) {
  const style = (node.getAttribute('style') || '').match(/text-align\s*:\s*(left|right|center|justify)/i);
  const value = style ? style[1] : node.getAttribute('align') || (node.tagName.toLowerCase() === 'center' ? 'center' : '');
  return value ? value.toLowerCase() : inherited;
}

function isBold(node, tag) {
  return tag === 'b' || tag === 'strong' || /font-weight\s*:\s*(bold|[6-9]00)/i.test(node.getAttribute('style') || '');
}

// The article as Word paragraphs: each {heading, align, list, number, runs}, where a run is
// {text, bold}, {br: true} or {image: src}.
function collectParagraphs(body) {
  const paragraphs = [];
  let current = null;
  const ensure = function (ctx) {
    if (!current) {
      current = { heading: ctx.heading, align: ctx.align, list: ctx.list, number: ctx.number, runs: [] };
      paragraphs.push(current);
    }
    return current;
  };
  const walk = function (node, ctx) {
    if (node.nodeType === 3) {
      // Only HTML's own blanks collapse: a full-width paragraph blank is text.
      const text = node.nodeValue.replace(/[\t\n\r ]+/g, ' ');
      if (current || /[^ ]/.test(text)) ensure(ctx).runs.push({ text: text, bold: ctx.bold });
      return;
    }
    if (node.nodeType !== 1) return;
    const tag = node.tagName.toLowerCase();
    if (tag === 'br') return void ensure(ctx).runs.push({ br: true });
    if (tag === 'img') return void ensure(ctx).runs.push({ image: node.getAttribute('src') || '' });
    if (node.getAttribute('data-corvel-mark') === images.MISSING_MARK) return void ensure(ctx).runs.push({ text: '[图片]', bold: false });
    const c = Object.assign({}, ctx, { align: alignmentOf(node, ctx.align), bold: ctx.bold || isBold(node, tag) });
    if (/^h[1-6]$/.test(tag)) c.heading = Number(tag[1]);
    if (tag === 'ul' || tag === 'ol') c.list = { ordered: tag === 'ol', count: 0 };
    if (tag === 'li' && ctx.list) c.number = ++ctx.list.count;
    const block = BLOCKS.test(tag);
    if (block) current = null;
    for (const child of Array.prototype.slice.call(node.childNodes)) walk(child, c);
    if (block) current = null;
  };
  walk(body, { heading: 0, align: '', list: null, number: 0, bold: false });
  return paragraphs;
}

function docxRun(run, docx) {
  if (run.br) return new docx.TextRun({ text: '', break: 1 });
  if (run.text !== undefined) return new docx.TextRun({ text: run.text, bold: run.bold });
  const data = images.parseDataUrl(run.image);
  const type = data && DOCX_TYPES[data.mime];
  if (!type) return new docx.TextRun({ text: '[图片]' });
  const bytes = base64ToBytes(data.base64);
  const size = imageSize(bytes) || { width: 400, height: 300 };
  const scale = Math.min(1, MAX_IMAGE_WIDTH / Math.max(1, size.width));
  return new docx.ImageRun({
    type: type,
    data: bytes,
    transformation: { width: Math.round(size.width * scale), height: Math.round(size.height * scale) },
  });
}

// body: images already inlined. Resolves to the .docx file as base64.
function wordDocument(body, docx) {
  const ALIGN = { left: docx.AlignmentType.LEFT, right: docx.AlignmentType.RIGHT, center: docx.AlignmentType.CENTER, justify: docx.AlignmentType.JUSTIFIED };
  const paragraphs = collectParagraphs(body).map(function (p) {
    const runs = p.runs.map((run) => docxRun(run, docx));
    if (p.list && !p.list.ordered) return new docx.Paragraph({ children: runs, bullet: { level: 0 }, alignment: ALIGN[p.align] });
    if (p.list && p.number) runs.unshift(new docx.TextRun({ text: p.number + '. ' }));
    return new docx.Paragraph({
      children: runs,
      heading: p.heading ? docx.HeadingLevel['HEADING_' + p.heading] : undefined,
      alignment: ALIGN[p.align],
    });
  });
  const document = new docx.Document({
    creator: 'Corvel软文编辑器',
    sections: [{ children: paragraphs.length ? paragraphs : [new docx.Paragraph({})] }],
  });
  return docx.Packer.toBase64String(document);
}

// A file name from the article's title, without characters that file systems refuse.
function fileName(title, extension) {
  const base = String(title || '').replace(/[\\/:*?"<>|\u0000-\u001f]/g, '_').trim().slice(0, 60);
  return (base || '文章') + '.' + extension;
}

export { readOpenedFile, textToHtml, plainTextWithImages, selfContainedHtml, wordDocument, collectParagraphs, imageSize, fileName, base64ToBytes };
