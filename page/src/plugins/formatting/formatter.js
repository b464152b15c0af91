// One-click formatting (一键排版): turns pasted web pages and Word documents into a clean
// article: a centred title, h2/h3 subheadings, <p> paragraphs with the paragraph blank, lists,
// tables with plain bordered cells, and the source's centring and right alignment. The DOM is
// only read (nodeType, nodeName, childNodes, nodeValue, getAttribute), so the same code runs on
// the browser's DOM and in Node tests. The result is rebuilt as an HTML string; running it on
// its own output changes nothing.
// Elements whose content is never article text.
import { escapeHtml, escapeAttr } from '../../core/html.js';
import { isJunkElement, isJunkLine, startsJunkList } from './web-junk.js';

const DROPPED = new Set([
  'script', 'style', 'meta', 'link', 'title', 'head', 'xml', 'template', 'noscript',
  'iframe', 'object', 'embed', 'button', 'input', 'select', 'textarea', 'svg', 'canvas',
  'audio', 'video', 'map',
]);
// Elements that end the paragraph before them and start a new one after them.
const BLOCKS = new Set([
  'p', 'div', 'h1', 'h2', 'h3', 'h4', 'h5', 'h6', 'li', 'ul', 'ol', 'dl', 'dt', 'dd',
  'blockquote', 'section', 'article', 'header', 'footer', 'aside', 'nav', 'main', 'figure',
  'figcaption', 'table', 'thead', 'tbody', 'tfoot', 'tr', 'td', 'th', 'caption', 'pre',
  'address', 'center', 'hr', 'br', 'body', 'html', 'form', 'fieldset', 'details', 'summary',
]);
// Elements the junk rules may name: blocks, but never the ones that hold a whole page or
// article ("comments-open" on a blog's body).
const JUNK_CANDIDATES = new Set([...BLOCKS].filter((tag) => !['html', 'body', 'main', 'article'].includes(tag)));
const HEADINGS = new Set(['h1', 'h2', 'h3', 'h4', 'h5', 'h6']);
const BOLD = new Set(['b', 'strong']);
const CAPTION_MARK = 'data-corvel-mark';

// Blanks that a paragraph may start or end with: ASCII whitespace, no-break space,
// full-width space and the zero-width characters Word and web editors leave behind.
const BLANK = /[\s\u00a0\u3000\u200b\ufeff]/;
// Leading blanks other than the full-width space: a full-width indent is part of the plain text.
const BLANK_BUT_INDENT = /[ \t\n\r\f\u00a0\u200b\ufeff]/;

// text without its leading (start) or trailing (end) blanks. Only the ends are looked at: a
// pattern anchored at the end would try every position of a long paragraph.
function trimBlanks(text, start = true, end = true, leading = BLANK) {
  let from = 0;
  let to = text.length;
  if (start) while (from < to && leading.test(text[from])) from++;
  if (end) while (to > from && BLANK.test(text[to - 1])) to--;
  return from === 0 && to === text.length ? text : text.slice(from, to);
}

function tagOf(node) {
  return String(node.localName || node.nodeName || '').toLowerCase();
}

function attr(node, name) {
  return (node.getAttribute && node.getAttribute(name)) || '';
}

function styleHas(node, pattern) {
  return pattern.test(attr(node, 'style'));
}

function isHidden(node) {
  return styleHas(node, /display\s*:\s*none|mso-hide\s*:\s*all|visibility\s*:\s*hidden/i);
}

function isBoldSpan(node) {
  return styleHas(node, /font-weight\s*:\s*(bold|bolder|[6-9]00)/i);
}

function safeHref(href) {
  return /^(https?:|mailto:)/i.test(href.trim()) ? href.trim() : '';
}

function safeSrc(src) {
  const s = src.trim();
  if (s === '' || /^\s*(javascript|vbscript):/i.test(s)) return '';
  if (/^data:/i.test(s) && !/^data:image\//i.test(s)) return '';
  return s;
}

function alignOf(node) {
  const m = /text-align\s*:\s*(center|right|left|justify)/i.exec(attr(node, 'style'));
  const value = (m ? m[1] : attr(node, 'align') || (tagOf(node) === 'center' ? 'center' : '')).toLowerCase();
  if (value === 'center' || value === 'right') return value;
  return value === 'left' || value === 'justify' ? 'none' : '';
}

// Word's fake list items carry "mso-list" in their style and their number or bullet as text.
function isMsoListItem(node) {
  return styleHas(node, /mso-list\s*:\s*l\d/i);
}
const NUMBER_MARKER = /^[\s\u00a0]*(?:(?:\d{1,3}|[a-zA-Z]|[ivxIVX]{1,4}|[一二三四五六七八九十]{1,3})[.．、)）]|[(（](?:\d{1,3}|[一二三四五六七八九十]{1,3})[)）])[\s\u00a0]*/;
const BULLET_MARKER = /^[\s\u00a0]*[·•§o\u00b7\u2022\u25cf\u25aa\u25a0\u2013\u2014\-\uf0a7\uf0b7\uf0d8\uf076\uf0fc][\s\u00a0]*/;

// A caption by the source's own marking: figcaption, a caption class (Word's MsoCaption
// among them), Word's 题注 style name, or our own mark on a caption that is too long.
function isMarkedCaption(node, tag) {
  return tag === 'figcaption' || /caption|题注/i.test(attr(node, 'class')) || attr(node, CAPTION_MARK) === 'caption-too-long';
}

// --- Reading: the DOM becomes a list of blocks -----------------------------------------
// A block is {kind, runs, align, list, caption} with kind p, h1 to h6 or li; or {kind:
// 'image', image: {src, alt}}; or {kind: 'table', rows}. A run is {text, bold, href}.
// Block elements that the junk rules name are left out (inline ones never: a code
// highlighter's "comment" span is text).

function collectBlocks(root, junk) {
  const blocks = [];
  const start = (ctx) => ({ kind: ctx.kind, align: ctx.align, list: ctx.list, mso: ctx.mso, caption: ctx.caption, runs: [] });
  const top = { bold: false, href: '', align: '', kind: 'p', list: '', mso: false, caption: false };
  let current = start(top);
  const flush = function (ctx) {
    if (current.runs.length) blocks.push(current);
    current = start(ctx);
  };
  const walk = function (node, ctx) {
    const type = node.nodeType;
    if (type === 3 || type === 4) {
      current.runs.push({ text: node.nodeValue, bold: ctx.bold, href: ctx.href });
      return;
    }
    if (type !== 1 && type !== 9 && type !== 11) return;
    const tag = tagOf(node);
    if (DROPPED.has(tag)) return;
    // Most paragraphs of a long article carry no attribute: none of the checks below can
    // apply to them, and reading attributes is what a walk over the browser's DOM pays for.
    const plain = type !== 1 || !node.hasAttributes();
    if (!plain && (isHidden(node) || (JUNK_CANDIDATES.has(tag) && isJunkElement(junk, node)))) return;
    if (tag === 'img') {
      const src = safeSrc(attr(node, 'src'));
      if (!src) return;
      // An image always stands in its own paragraph.
      flush(ctx);
      blocks.push({ kind: 'image', image: { src: src, alt: attr(node, 'alt') } });
      return;
    }
    if (tag === 'table') {
      flush(ctx);
      blocks.push({ kind: 'table', rows: tableRows(node, junk) });
      return;
    }
    const mso = !plain && tag === 'p' && isMsoListItem(node);
    const align = type !== 1 ? '' : plain ? (tag === 'center' ? 'center' : '') : alignOf(node);
    const inner = {
      bold: ctx.bold || BOLD.has(tag) || HEADINGS.has(tag) || (!plain && isBoldSpan(node)),
      href: (tag === 'a' && safeHref(attr(node, 'href'))) || ctx.href,
      align: align ? (align === 'none' ? '' : align) : ctx.align,
      kind: HEADINGS.has(tag) ? tag : tag === 'li' || mso ? 'li' : ctx.kind,
      list: tag === 'ul' || tag === 'ol' ? tag : ctx.list,
      mso: mso,
      caption: ctx.caption || tag === 'figcaption' || (!plain && isMarkedCaption(node, tag)),
    };
    const block = BLOCKS.has(tag) || mso;
    if (block) flush(inner);
    if (node.firstChild !== undefined) {
      for (let child = node.firstChild; child; child = child.nextSibling) walk(child, inner);
    } else {
      const children = node.childNodes || [];
      for (let i = 0; i < children.length; i++) walk(children[i], inner);
    }
    if (block) flush(ctx);
  };
  walk(root, top);
  flush(top);
  return blocks;
}

function childElements(node, names) {
  const out = [];
  const children = node.childNodes || [];
  for (let i = 0; i < children.length; i++) {
    if (children[i].nodeType === 1 && names.indexOf(tagOf(children[i])) >= 0) out.push(children[i]);
  }
  return out;
}

// Rows of cells; a cell is {header, colspan, rowspan, lines}, each line a list of runs, or
// an empty one carrying a picture as its `image`. A table inside a cell gives its cells'
// lines to that cell.
function tableRows(table, junk) {
  const trs = [];
  for (const part of childElements(table, ['thead', 'tbody', 'tfoot', 'tr'])) {
    if (tagOf(part) === 'tr') trs.push(part);
    else trs.push.apply(trs, childElements(part, ['tr']));
  }
  return trs.map(function (tr) {
    return childElements(tr, ['td', 'th']).map(function (cell) {
      const lines = [];
      for (const block of collectBlocks({ nodeType: 11, childNodes: cell.childNodes }, junk)) {
        if (block.kind === 'table') {
          for (const row of block.rows) for (const c of row) lines.push.apply(lines, c.lines);
        } else if (block.kind === 'image') {
          lines.push(Object.assign([], { image: block.image }));
        } else if (!isJunkLine(junk, trimBlanks(collapse(plainText(block.runs))))) {
          lines.push(block.runs);
        }
      }
      return {
        header: tagOf(cell) === 'th',
        colspan: span(attr(cell, 'colspan')),
        rowspan: span(attr(cell, 'rowspan')),
        lines: lines,
      };
    });
  }).filter((row) => row.length > 0);
}

function span(value) {
  const n = parseInt(value, 10);
  return n > 1 && n < 1000 ? n : 1;
}

// --- Cleaning the text of one paragraph ------------------------------------------------

const COLLAPSIBLE = /[\t\n\r\f\u00a0\u200b\ufeff]| {2}/;

function collapse(text) {
  if (!COLLAPSIBLE.test(text)) return text;
  // Line breaks and tabs inside pasted HTML render as one space; so do no-break spaces.
  return text.replace(/[\t\n\r\f\u00a0 ]+/g, ' ').replace(/[\u200b\ufeff]/g, '');
}

// Joins neighbouring runs of the same kind and drops empty ones.
function mergeRuns(runs) {
  const out = [];
  for (const run of runs) {
    if (run.text === '') continue;
    const last = out[out.length - 1];
    if (last && last.bold === run.bold && last.href === run.href) last.text += run.text;
    else out.push({ text: run.text, bold: run.bold, href: run.href });
  }
  return out;
}

function trimRuns(runs) {
  while (runs.length) {
    runs[0].text = trimBlanks(runs[0].text, true, false);
    if (runs[0].text !== '') break;
    runs.shift();
  }
  while (runs.length) {
    const last = runs[runs.length - 1];
    last.text = trimBlanks(last.text, false, true);
    if (last.text !== '') break;
    runs.pop();
  }
  return runs;
}

function plainText(runs) {
  return runs.length === 1 ? runs[0].text : runs.map((r) => r.text).join('');
}

// Removes prefix from the start of the runs (it may span several runs), if it is there.
function dropLeading(runs, prefix) {
  if (!prefix || !plainText(runs).startsWith(prefix)) return false;
  let rest = prefix.length;
  while (rest > 0) {
    const head = runs[0];
    const take = Math.min(rest, head.text.length);
    head.text = head.text.slice(take);
    rest -= take;
    if (head.text === '') runs.shift();
  }
  return true;
}

// Strips every trailing copy of sign, so that "。。" loses both and a second pass finds none.
function dropTrailing(runs, sign) {
  if (!sign) return;
  for (;;) {
    trimRuns(runs);
    const text = plainText(runs);
    if (!text.endsWith(sign) || text.length === 0) return;
    let rest = sign.length;
    while (rest > 0 && runs.length) {
      const last = runs[runs.length - 1];
      const take = Math.min(rest, last.text.length);
      last.text = last.text.slice(0, last.text.length - take);
      rest -= take;
      if (last.text === '') runs.pop();
    }
  }
}

function countChars(text) {
  // Code points without blanks: a Chinese character or an emoji is one.
  return Array.from(text.replace(/[\s\u00a0\u3000]/g, '')).length;
}

// --- Deciding what each paragraph is ---------------------------------------------------

const SENTENCE_END = /[。！？；!?;…]$/;
const DATE_LINE = /^(?:\d{4}\s*年\s*\d{1,2}\s*月\s*\d{1,2}\s*日|\d{4}[-/.]\d{1,2}[-/.]\d{1,2}|[〇○零一二三四五六七八九]{4}年[一二三四五六七八九十]{1,2}月[一二三四五六七八九十]{1,3}日)$/;
const ORGANISATION = /(公司|集团|委员会|办公室|办公厅|政府|局|厅|部|处|中心|协会|学会|商会|联合会|研究院|研究所|医院|学校|大学|学院|银行|工作室|事务所|编辑部|组委会)$/;
const TITLE_MAX_CHARS = 40;

// A short line without sentence punctuation: a title, a name, an organisation.
function isShortLine(text) {
  return countChars(text) <= TITLE_MAX_CHARS && !SENTENCE_END.test(text) && !/[，。,]/.test(text);
}

// A leading h1 is the title; so is a short first line that the source centred or set bold.
function isTitle(block, index, count) {
  if (block.kind === 'h1') return index === 0;
  if (index !== 0 || count < 2 || block.kind !== 'p' || !isShortLine(plainText(block.runs))) return false;
  return block.align === 'center' || block.runs.every((r) => r.bold);
}

// The trailing signature and date lines (at most three, at least one a date or an
// organisation, and never the only paragraphs) are right-aligned.
function markSignature(items) {
  let first = items.length;
  let anchored = false;
  while (first > 1 && items.length - first < 3) {
    const item = items[first - 1];
    if (item.kind !== 'p' || item.caption) break;
    const text = plainText(item.runs);
    const date = DATE_LINE.test(text);
    if (!date && (!isShortLine(text) || countChars(text) > 30 || /^特此/.test(text))) break;
    anchored = anchored || date || ORGANISATION.test(text);
    first--;
  }
  if (!anchored || first === 0) return;
  for (let i = first; i < items.length; i++) items[i].align = 'right';
}

// The paragraph right after a picture is its caption when the source marks it as one (a
// caption element or class, or a lead such as 图为) or when it is a short line without a
// sentence end; anything else is body text and stays as it is.
const CAPTION_LEAD = /^(?:图为|图注|图片来源|图[:：]|[（(]图)/;
function isCaption(block, text, options) {
  if (block.caption || CAPTION_LEAD.test(text)) return true;
  return countChars(text) <= (options.captionMaxLength || TITLE_MAX_CHARS) && !/[。！？；!?;…]/.test(text);
}

// A paragraph of links and punctuation alone, as in a list of related articles.
function isLinksOnly(runs) {
  return runs.some((r) => r.href) && runs.every((r) => r.href || /^[\s\p{P}]*$/u.test(r.text));
}

// A table without a word in it (empty, or a counter left by the page's junk) is dropped.
function hasText(rows) {
  return rows.some((row) => row.some((cell) => cell.lines.some((runs) => runs.image || /\p{L}/u.test(plainText(runs)))));
}

// --- Writing ---------------------------------------------------------------------------

function alignStyle(justify) {
  return justify === 'left' || justify === 'right' || justify === 'center'
    ? ' style="text-align:' + justify + '"'
    : '';
}

function runsHtml(runs) {
  return runs
    .map(function (run) {
      let html = escapeHtml(run.text);
      if (run.bold) html = '<strong>' + html + '</strong>';
      if (run.href) html = '<a href="' + escapeAttr(run.href) + '">' + html + '</a>';
      return html;
    })
    .join('');
}

// Applies a one-for-one character fix to the whole text of the runs, so that a rule may
// see across bold or link boundaries, and hands each run its part back.
function fixAcrossRuns(runs, fix) {
  const text = plainText(runs);
  const fixed = fix(text);
  if (fixed === text || fixed.length !== text.length) return;
  let at = 0;
  for (const run of runs) {
    run.text = fixed.slice(at, at + run.text.length);
    at += run.text.length;
  }
}

// Collapsed, transformed (conversion, corrections), punctuated and trimmed runs.
function cleanRuns(runs, options, keepLinks) {
  const transform = options.transformText || ((t) => t);
  const merged = mergeRuns(
    runs.map((r) => ({ text: r.text, bold: !!options.retainBold && r.bold, href: keepLinks ? r.href : '' })),
  );
  for (const run of merged) run.text = transform(collapse(run.text));
  if (options.punctuate) fixAcrossRuns(merged, options.punctuate);
  return trimRuns(mergeRuns(merged));
}

// Word's fake list item: its marker decides the list kind and is dropped from the text.
function msoListKind(runs) {
  const text = plainText(runs);
  const m = NUMBER_MARKER.exec(text) || BULLET_MARKER.exec(text);
  if (!m) return '';
  dropLeading(runs, m[0]);
  trimRuns(runs);
  return NUMBER_MARKER.test(m[0]) ? 'ol' : 'ul';
}

function imageHtml(image, options) {
  const alt = image.alt ? ' alt="' + escapeAttr((options.transformText || ((t) => t))(image.alt)) + '"' : '';
  return '<img src="' + escapeAttr(image.src) + '"' + alt + '>';
}

const CELL_STYLE = ' style="border:1px solid #000;padding:4px 8px"';

function tableHtml(rows, options) {
  const body = rows.map(function (row) {
    const cells = row.map(function (cell) {
      const lines = cell.lines
        .map((runs) => (runs.image ? imageHtml(runs.image, options) : runsHtml(cleanRuns(runs, options, false))))
        .filter((html) => html !== '');
      const tag = cell.header ? 'th' : 'td';
      const spans = (cell.colspan > 1 ? ' colspan="' + cell.colspan + '"' : '') +
        (cell.rowspan > 1 ? ' rowspan="' + cell.rowspan + '"' : '');
      return '<' + tag + spans + CELL_STYLE + '>' + lines.join('<br>') + '</' + tag + '>';
    });
    return '<tr>' + cells.join('') + '</tr>';
  });
  return '<table style="border-collapse:collapse"><tbody>' + body.join('') + '</tbody></table>';
}

// options: paragraphBeforeBlank, imageJustify, captionJustify, captionMaxLength,
// captionEndSign, retainBold, pageBreakTag, transformText (conversion and corrections, or
// null), punctuate (a one-for-one punctuation fix, or null) and junk (the web-page junk
// rules, or null).
function formatBlocks(blocks, options) {
  const indent = options.paragraphBeforeBlank || '';
  // The indent without its own blanks: what is left of it after trimming a paragraph.
  const indentCore = trimBlanks(indent);
  // First pass: clean every block and drop the empty ones, so that a paragraph emptied by
  // corrections leaves nothing behind.
  const items = [];
  let afterImage = false;
  let inJunkList = false;
  for (const block of blocks) {
    if (block.kind === 'image' || (block.kind === 'table' && hasText(block.rows))) {
      items.push(block);
      afterImage = block.kind === 'image';
      continue;
    }
    if (block.kind === 'table') continue;
    const raw = trimBlanks(collapse(plainText(block.runs)));
    if (raw === '') continue;
    if (inJunkList && (block.kind === 'li' || isLinksOnly(block.runs))) continue;
    inJunkList = startsJunkList(options.junk, raw);
    if (inJunkList || isJunkLine(options.junk, raw)) continue;
    const runs = cleanRuns(block.runs, options, true);
    if (runs.length === 0) continue;
    const item = { kind: block.kind, align: block.align, list: block.list, runs: runs };
    if (block.mso) {
      item.list = msoListKind(runs);
      if (!item.list) item.kind = 'p';
      if (runs.length === 0) continue;
    }
    if (item.kind === 'li' && !item.list) item.list = 'ul';
    // Headings are bold by their own style; <strong> inside them would only add noise.
    if (HEADINGS.has(item.kind)) for (const run of runs) run.bold = false;
    if (options.pageBreakTag && plainText(runs) === options.pageBreakTag) {
      item.pageBreak = true;
    } else if (afterImage && item.kind === 'p' && isCaption(block, plainText(runs), options)) {
      dropTrailing(runs, options.captionEndSign);
      if (runs.length === 0) continue;
      item.caption = true;
    }
    afterImage = false;
    items.push(item);
  }
  const firstText = items.findIndex((item) => item.runs);
  if (firstText >= 0 && isTitle(items[firstText], firstText, items.length)) items[firstText].title = true;
  // Only the title is a first-level heading; any other h1 becomes a subheading.
  for (const item of items) if (item.kind === 'h1' && !item.title) item.kind = 'h2';
  markSignature(items);

  const out = [];
  for (let i = 0; i < items.length; i++) {
    const item = items[i];
    if (item.kind === 'image') {
      out.push('<p' + alignStyle(options.imageJustify) + '>' + imageHtml(item.image, options) + '</p>');
    } else if (item.kind === 'table') {
      out.push(tableHtml(item.rows, options));
    } else if (item.pageBreak) {
      // The page-break marker stays a bare line for the publishing system to find.
      out.push('<p>' + escapeHtml(options.pageBreakTag) + '</p>');
    } else if (item.kind === 'li') {
      let j = i;
      const entries = [];
      while (j < items.length && items[j].kind === 'li' && items[j].list === item.list) {
        entries.push('<li>' + runsHtml(items[j].runs) + '</li>');
        j++;
      }
      out.push('<' + item.list + '>' + entries.join('') + '</' + item.list + '>');
      i = j - 1;
    } else if (item.title) {
      const tag = item.kind === 'h1' ? 'h1' : 'p';
      out.push('<' + tag + alignStyle('center') + '>' + runsHtml(item.runs) + '</' + tag + '>');
    } else if (HEADINGS.has(item.kind)) {
      out.push('<' + item.kind + alignStyle(item.align) + '>' + runsHtml(item.runs) + '</' + item.kind + '>');
    } else if (item.caption) {
      const limit = options.captionMaxLength || 0;
      const tooLong = limit > 0 && countChars(plainText(item.runs)) > limit;
      const mark = tooLong ? ' ' + CAPTION_MARK + '="caption-too-long" title="图片配文超过' + limit + '字"' : '';
      out.push('<p' + alignStyle(options.captionJustify) + mark + '>' + runsHtml(item.runs) + '</p>');
    } else if (item.align === 'center' || item.align === 'right') {
      out.push('<p' + alignStyle(item.align) + '>' + runsHtml(item.runs) + '</p>');
    } else {
      // A paragraph that already starts with the indent keeps one copy of it.
      const runs = item.runs;
      if (dropLeading(runs, indentCore)) trimRuns(runs);
      if (runs.length === 0) continue;
      out.push('<p>' + escapeHtml(indent) + runsHtml(runs) + '</p>');
    }
  }
  return out.join('');
}

function formatNode(root, options) {
  return formatBlocks(collectBlocks(root, options.junk), options);
}

// The article as plain text: one line per paragraph or table cell, images left out.
function plainTextOf(root) {
  const lines = [];
  for (const block of collectBlocks(root)) {
    if (block.kind === 'image') continue;
    if (block.kind === 'table') {
      for (const row of block.rows) for (const cell of row) lines.push.apply(lines, cell.lines);
    } else {
      lines.push(block.runs);
    }
  }
  return lines
    .map((runs) => trimBlanks(plainText(runs.map((r) => ({ text: collapse(r.text) }))), true, true, BLANK_BUT_INDENT))
    .filter((line) => trimBlanks(line) !== '')
    .join('\n');
}

export { formatNode, countChars, isShortLine, plainTextOf as plainText, collectBlocks, cleanRuns, CAPTION_MARK };
