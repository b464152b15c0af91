// The article as a profile writes it for another editor: 公众号 (inline styles on section and
// p, lists one level deep, styled cells, outside links as numbered 参考链接), 新闻源 (p, h2,
// h3, strong, img and table with alignment only, no links or contact details, each removal
// listed for the writer) and 纯文本. The article is read into blocks by the formatter's own
// reader, so what counts as a paragraph, a list item or a table is the same as in 一键排版.
import { escapeHtml, escapeAttr, parseFragment } from '../../core/html.js';
import { collectBlocks, cleanRuns, plainText } from '../formatting/formatter.js';
import { findContacts } from './contacts.js';

const VOID = new Set(['img', 'br']);
const KEEP = { retainBold: true };

function hostOf(href) {
  try {
    return new URL(href).hostname.toLowerCase();
  } catch (e) {
    return '';
  }
}

function linkAllowed(href, domains) {
  const host = hostOf(href);
  return host !== '' && domains.some((d) => host === d || host.endsWith('.' + d));
}

function createWriter(profile) {
  const allowed = new Set(profile.allowedElements);
  const styles = profile.wechat ? profile.styles : {};
  const removed = [];
  const references = [];

  // An element the profile allows, else its content alone.
  function tag(name, style, inner, attrs) {
    if (!allowed.has(name)) return inner;
    const open = '<' + name + (attrs || '') + (style ? ' style="' + escapeAttr(style) + '"' : '');
    return VOID.has(name) ? open + '>' : open + '>' + inner + '</' + name + '>';
  }

  const style = (key, align) => (styles[key] || '') + (align ? 'text-align:' + align + ';' : '');

  function withoutContacts(text) {
    if (!profile.removeContacts) return text;
    let out = '';
    let at = 0;
    for (const hit of findContacts(text)) {
      removed.push({ kind: hit.kind, text: hit.text });
      out += text.slice(at, hit.start);
      at = hit.end;
    }
    return out + text.slice(at);
  }

  function link(inner, run) {
    if (linkAllowed(run.href, profile.linkDomains)) return tag('a', '', inner, ' href="' + escapeAttr(run.href) + '"');
    if (!profile.wechat) {
      removed.push({ kind: '链接', text: run.text, href: run.href });
      return inner;
    }
    let n = references.findIndex((r) => r.href === run.href) + 1;
    if (n === 0) n = references.push({ href: run.href, text: run.text });
    return inner + tag('sup', '', '[' + n + ']');
  }

  function runsHtml(runs) {
    return runs.map(function (run) {
      let html = escapeHtml(withoutContacts(run.text));
      if (run.bold && html) html = tag('strong', '', html);
      return run.href ? link(html, run) : html;
    }).join('');
  }

  function image(block) {
    const img = tag('img', style('img'), '', ' src="' + escapeAttr(block.image.src) + '"' +
      (block.image.alt ? ' alt="' + escapeAttr(block.image.alt) + '"' : ''));
    return tag('p', style('p', 'center'), img);
  }

  function table(rows) {
    const body = rows.map(function (row) {
      return tag('tr', '', row.map(function (cell) {
        const lines = cell.lines.map((runs) => cleanRuns(runs, KEEP, true)).filter((r) => r.length).map(runsHtml);
        const spans = (cell.colspan > 1 ? ' colspan="' + cell.colspan + '"' : '') +
          (cell.rowspan > 1 ? ' rowspan="' + cell.rowspan + '"' : '');
        return tag(cell.header ? 'th' : 'td', style('cell'), lines.join(tag('br', '', '')), spans);
      }).join(''));
    });
    return tag('table', style('table'), tag('tbody', '', body.join('')));
  }

  // 公众号 keeps a list as ul/ol with each item's text in a section; 新闻源 writes numbered
  // or dotted paragraphs.
  function list(items, kind) {
    if (!allowed.has(kind)) {
      return items.map((b, i) => tag('p', style('p', b.align), (kind === 'ol' ? i + 1 + '. ' : '· ') + runsHtml(b.runs))).join('');
    }
    return tag(kind, style('list'), items.map((b) => tag('li', style('item', b.align), tag('section', '', runsHtml(b.runs)))).join(''));
  }

  function heading(block) {
    // A heading is bold by itself; its runs' own bold would only nest.
    const inner = runsHtml(block.runs.map((r) => Object.assign({}, r, { bold: false })));
    if (profile.wechat) return tag('p', style('heading', block.align), tag('strong', '', inner));
    return tag(block.kind === 'h3' ? 'h3' : 'h2', style('', block.align), inner);
  }

  function referenceList() {
    if (!references.length) return '';
    const items = references.map((r, i) => tag('p', style('item'), '[' + (i + 1) + '] ' + escapeHtml(r.text) + '：' + escapeHtml(r.href)));
    return tag('section', style('references'), tag('p', '', tag('strong', '', '参考链接')) + items.join(''));
  }

  return { tag, style, runsHtml, image, table, list, heading, referenceList, removed };
}

function htmlOf(blocks, profile) {
  const w = createWriter(profile);
  const out = [];
  for (let i = 0; i < blocks.length; i++) {
    const block = blocks[i];
    if (block.kind === 'image') out.push(w.image(block));
    else if (block.kind === 'table') out.push(w.table(block.rows));
    else if (block.kind === 'li') {
      const items = [block];
      while (i + 1 < blocks.length && blocks[i + 1].kind === 'li' && blocks[i + 1].list === block.list) items.push(blocks[++i]);
      out.push(w.list(items, block.list || 'ul'));
    } else if (/^h[1-3]$/.test(block.kind)) out.push(w.heading(block));
    else out.push(w.tag('p', w.style('p', block.align), w.runsHtml(block.runs)));
  }
  const body = out.join('') + w.referenceList();
  return { html: profile.wechat ? w.tag('section', w.style('article'), body) : body, removed: w.removed };
}

// Plain text: a line per paragraph, item or table row (cells split by tabs), links in brackets.
function textOf(blocks) {
  const line = (runs) => runs.map((r) => (r.href && r.href !== r.text ? r.text + '（' + r.href + '）' : r.text)).join('');
  const lines = [];
  for (const block of blocks) {
    if (block.kind === 'table') {
      for (const row of block.rows) lines.push(row.map((c) => c.lines.map((r) => line(cleanRuns(r, KEEP, true))).join(' ')).join('\t'));
    } else if (block.kind !== 'image') {
      lines.push(line(block.runs));
    }
  }
  return lines.filter((l) => l !== '').join('\n');
}

// The article's blocks with their runs cleaned, as every profile and 发稿体检 read them.
function articleBlocks(html) {
  return collectBlocks(parseFragment(html))
    .map((b) => (b.runs ? Object.assign(b, { runs: cleanRuns(b.runs, KEEP, true) }) : b))
    .filter((b) => !b.runs || b.runs.length);
}

// {html (null for plain text), text, removed: [{kind, text, href}]} for the article's blocks.
function writeBlocks(blocks, profile) {
  if (profile.writer === 'text') return { html: null, text: textOf(blocks), removed: [] };
  const written = htmlOf(blocks, Object.assign({ wechat: profile.writer === 'wechat' }, profile));
  return { html: written.html, text: plainText(parseFragment(written.html)), removed: written.removed };
}

const writeArticle = (html, profile) => writeBlocks(articleBlocks(html), profile);

export { writeArticle, writeBlocks, articleBlocks, linkAllowed };
