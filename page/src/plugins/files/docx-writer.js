// The article as a Word document with Word's own structure: heading styles, numbered and
// bulleted lists, tables with merged cells and a header row, alignment, inline styles, links,
// pictures at their shown size and page breaks, with an East Asian font for Chinese text.
// docx (given by the caller) writes the file.
import * as images from '../pictures/article-images.js';

const DOCX_TYPES = { 'image/png': 'png', 'image/jpeg': 'jpg', 'image/jpg': 'jpg', 'image/gif': 'gif', 'image/bmp': 'bmp' };
const MAX_IMAGE_WIDTH = 600;
const BODY_FONT = '宋体';
const HEADING_FONT = '黑体';
// Inline tags and the run property each sets.
const INLINE = {
  b: { bold: true }, strong: { bold: true }, i: { italics: true }, em: { italics: true },
  u: { underline: {} }, s: { strike: true }, strike: { strike: true }, del: { strike: true },
  sup: { superScript: true }, sub: { subScript: true },
};
const BLOCKS = /^(p|div|h[1-6]|blockquote|section|article|header|footer|pre|figure|figcaption|center|main|aside|nav|address|dl|dt|dd)$/;
const LIST_FORMATS = {
  'lower-alpha': 'LOWER_LETTER', 'lower-latin': 'LOWER_LETTER', 'upper-alpha': 'UPPER_LETTER', 'upper-latin': 'UPPER_LETTER',
  'lower-roman': 'LOWER_ROMAN', 'upper-roman': 'UPPER_ROMAN', 'cjk-ideographic': 'CHINESE_COUNTING', 'cjk-decimal': 'CHINESE_COUNTING',
};
const TYPE_FORMATS = { a: 'lower-alpha', A: 'upper-alpha', i: 'lower-roman', I: 'upper-roman' };

function base64ToBytes(base64) {
  const binary = atob(base64);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
  return bytes;
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

const styleOf = (node, name) => {
  const m = (node.getAttribute('style') || '').match(new RegExp('(?:^|;)\\s*' + name + '\\s*:\\s*([^;]+)', 'i'));
  return m ? m[1].trim().toLowerCase() : '';
};

function alignmentOf(node, inherited) {
  const value = styleOf(node, 'text-align') || node.getAttribute('align') || (node.tagName.toLowerCase() === 'center' ? 'center' : '');
  return /^(left|right|center|justify)$/i.test(value) ? value.toLowerCase() : inherited;
}

function runFormat(node, tag, format) {
  const added = Object.assign({}, INLINE[tag]);
  if (/^(bold|bolder|[6-9]00)$/.test(styleOf(node, 'font-weight'))) added.bold = true;
  if (styleOf(node, 'font-style') === 'italic') added.italics = true;
  const decoration = styleOf(node, 'text-decoration') + ' ' + styleOf(node, 'text-decoration-line');
  if (/underline/.test(decoration)) added.underline = {};
  if (/line-through/.test(decoration)) added.strike = true;
  const vertical = styleOf(node, 'vertical-align');
  if (vertical === 'super') added.superScript = true;
  if (vertical === 'sub') added.subScript = true;
  return Object.assign({}, format, added);
}

// The shown size of a picture: its width and height attributes or style, else its file's,
// no wider than the page allows.
function pictureSize(node, bytes) {
  const px = (v) => (/^\d+(\.\d+)?(px)?$/.test(v || '') ? parseFloat(v) : 0);
  const natural = imageSize(bytes) || { width: 400, height: 300 };
  let width = px(styleOf(node, 'width')) || px(node.getAttribute('width'));
  let height = px(styleOf(node, 'height')) || px(node.getAttribute('height'));
  if (width && !height) height = (width * natural.height) / Math.max(1, natural.width);
  if (height && !width) width = (height * natural.width) / Math.max(1, natural.height);
  if (!width) ({ width, height } = natural);
  const scale = Math.min(1, MAX_IMAGE_WIDTH / Math.max(1, width));
  return { width: Math.max(1, Math.round(width * scale)), height: Math.max(1, Math.round(height * scale)) };
}

class Writer {
  constructor(docx, pageBreakTag) {
    this.docx = docx;
    this.pageBreakTag = pageBreakTag;
    this.lists = 0;
    this.formats = new Set();
  }

  picture(node) {
    const data = images.parseDataUrl(node.getAttribute('src') || '');
    const type = data && DOCX_TYPES[data.mime];
    if (!type) return new this.docx.TextRun({ text: '[图片]' });
    const bytes = base64ToBytes(data.base64);
    return new this.docx.ImageRun({ type, data: bytes, transformation: pictureSize(node, bytes), altText: node.getAttribute('alt') ? { name: node.getAttribute('alt'), description: node.getAttribute('alt') } : undefined });
  }

  // The runs of an inline node and what it holds.
  runs(node, format, out) {
    if (node.nodeType === 3) {
      // Only HTML's own blanks collapse: a full-width paragraph blank is text.
      const text = node.nodeValue.replace(/[\t\n\r ]+/g, ' ');
      if (text) out.push(new this.docx.TextRun(Object.assign({ text }, format)));
      return out;
    }
    if (node.nodeType !== 1) return out;
    const tag = node.tagName.toLowerCase();
    if (tag === 'br') out.push(new this.docx.TextRun({ text: '', break: 1 }));
    else if (tag === 'img') out.push(this.picture(node));
    else if (node.getAttribute('data-corvel-mark') === images.MISSING_MARK) out.push(new this.docx.TextRun({ text: '[图片]' }));
    else if (tag === 'a' && /^(https?|mailto):/i.test(node.getAttribute('href') || '')) {
      const children = [];
      for (const child of Array.from(node.childNodes)) this.runs(child, Object.assign({ style: 'Hyperlink' }, format), children);
      out.push(new this.docx.ExternalHyperlink({ link: node.getAttribute('href'), children }));
    } else {
      const inner = runFormat(node, tag, format);
      for (const child of Array.from(node.childNodes)) this.runs(child, inner, out);
    }
    return out;
  }

  paragraph(runs, ctx) {
    const docx = this.docx;
    const texts = runs.filter((r) => r instanceof docx.TextRun);
    if (this.pageBreakTag && runs.length && runs.length === texts.length && ctx.text.trim() === this.pageBreakTag) {
      return new docx.Paragraph({ children: [new docx.PageBreak()] });
    }
    const ALIGN = { left: docx.AlignmentType.LEFT, right: docx.AlignmentType.RIGHT, center: docx.AlignmentType.CENTER, justify: docx.AlignmentType.JUSTIFIED };
    return new docx.Paragraph({
      children: runs,
      heading: ctx.heading ? docx.HeadingLevel['HEADING_' + ctx.heading] : undefined,
      alignment: ALIGN[ctx.align],
      numbering: ctx.list ? { reference: ctx.list.reference, level: Math.min(ctx.list.level, 8), instance: ctx.list.instance } : undefined,
    });
  }

  // Word's blocks (paragraphs and tables) for what a block node holds, into out.
  blocks(node, ctx, out) {
    const start = out.length;
    let runs = [];
    let text = '';
    // Only a list item's first paragraph carries its number.
    const here = () => (ctx.list && out.length > start ? Object.assign({}, ctx, { list: null }) : ctx);
    const flush = () => {
      if (runs.length) out.push(this.paragraph(runs, Object.assign({}, here(), { text })));
      runs = [];
      text = '';
    };
    for (const child of Array.from(node.childNodes)) {
      const tag = child.nodeType === 1 ? child.tagName.toLowerCase() : '';
      if (tag === 'table' || tag === 'ul' || tag === 'ol' || tag === 'li' || tag === 'hr' || BLOCKS.test(tag)) flush();
      if (tag === 'table') out.push(this.table(child));
      else if (tag === 'ul' || tag === 'ol') this.list(child, tag, ctx, out);
      else if (tag === 'li') this.blocks(child, Object.assign({}, ctx, { align: alignmentOf(child, ctx.align) }), out);
      else if (BLOCKS.test(tag)) {
        const c = Object.assign({}, here(), { align: alignmentOf(child, ctx.align), format: runFormat(child, tag, ctx.format) });
        if (/^h[1-6]$/.test(tag)) c.heading = Number(tag[1]);
        this.blocks(child, c, out);
      } else if (tag !== 'hr' && (runs.length || child.nodeType !== 3 || /[^\t\n\r ]/.test(child.nodeValue))) {
        text += child.textContent;
        this.runs(child, ctx.format, runs);
      }
    }
    flush();
    if (ctx.list && out.length === start) out.push(this.paragraph([], Object.assign({}, ctx, { text: '' })));
    return out;
  }

  list(node, tag, ctx, out) {
    const css = styleOf(node, 'list-style-type') || TYPE_FORMATS[node.getAttribute('type')] || '';
    const format = tag === 'ul' ? 'BULLET' : LIST_FORMATS[css] || 'DECIMAL';
    this.formats.add(format);
    const level = ctx.list ? ctx.list.level + 1 : 0;
    const list = { reference: 'corvel-' + format, level, instance: ++this.lists };
    for (const item of Array.from(node.children)) {
      if (item.tagName.toLowerCase() === 'li') this.blocks(item, Object.assign({}, ctx, { list, heading: 0, align: alignmentOf(item, ctx.align) }), out);
      else this.blocks(item, ctx, out);
    }
  }

  table(node) {
    const docx = this.docx;
    const rows = Array.from(node.querySelectorAll('tr')).filter((tr) => tr.closest('table') === node);
    const made = rows.map((tr) => {
      const cells = Array.from(tr.children).filter((c) => /^(td|th)$/i.test(c.tagName));
      const header = tr.parentNode.tagName.toLowerCase() === 'thead' || (cells.length > 0 && cells.every((c) => c.tagName.toLowerCase() === 'th'));
      return new docx.TableRow({
        tableHeader: header || undefined,
        children: cells.map((cell) => {
          const inner = { align: alignmentOf(cell, ''), heading: 0, list: null, format: runFormat(cell, cell.tagName.toLowerCase(), {}) };
          const children = [];
          this.blocks(cell, inner, children);
          return new docx.TableCell({
            children: children.length ? children : [new docx.Paragraph({})],
            columnSpan: Math.max(1, Number(cell.getAttribute('colspan')) || 1),
            rowSpan: Math.max(1, Number(cell.getAttribute('rowspan')) || 1),
          });
        }),
      });
    });
    if (!made.length) return new docx.Paragraph({});
    return new docx.Table({ rows: made, width: { size: 100, type: docx.WidthType.PERCENTAGE } });
  }

  numbering() {
    const docx = this.docx;
    const BULLETS = ['●', '○', '■'];
    return [...this.formats].map((format) => ({
      reference: 'corvel-' + format,
      levels: Array.from({ length: 9 }, (_, level) => ({
        level,
        format: docx.LevelFormat[format],
        text: format === 'BULLET' ? BULLETS[level % 3] : '%' + (level + 1) + (format === 'CHINESE_COUNTING' ? '、' : '.'),
        alignment: docx.AlignmentType.LEFT,
        style: { paragraph: { indent: { left: 420 * (level + 1), hanging: 420 } } },
      })),
    }));
  }
}

// body: pictures already inlined; options: {pageBreakTag}. Resolves to the .docx file as base64.
function wordDocument(body, docx, options) {
  const writer = new Writer(docx, (options || {}).pageBreakTag);
  const children = [];
  writer.blocks(body, { heading: 0, align: '', list: null, format: {} }, children);
  const font = (eastAsia) => ({ run: { font: { eastAsia } } });
  const headings = {};
  for (let level = 1; level <= 6; level++) headings['heading' + level] = font(HEADING_FONT);
  const document = new docx.Document({
    creator: 'Corvel软文编辑器',
    styles: { default: Object.assign({ document: font(BODY_FONT) }, headings) },
    numbering: { config: writer.numbering() },
    sections: [{ children: children.length ? children : [new docx.Paragraph({})] }],
  });
  return docx.Packer.toBase64String(document);
}

export { wordDocument, imageSize, base64ToBytes };
