// 广告法用语检查: finds the absolute terms and claims that advertising must not use, marks
// each hit in the article with its reason, and removes every mark of the page again before
// the article leaves it. The rule file lists one term a line with an optional reason after
// "|||"; "# 【kind】|||reason" starts a group whose terms share that reason; other "#" lines
// are comments; a line starting with "!" is an exception, an ordinary longer word that holds a
// term (第一季度, 最后) and is never flagged. A file without groups or reasons still works.
import * as corvelRules from '../../core/rules.js';
import { parseFragment } from '../../core/html.js';
import { build } from '../../core/term-automaton.js';
import * as marks from '../../core/marks.js';

const SEPARATOR = '|||';
const MARK = 'data-corvel-law';
const DEFAULT_REASON = '广告中不得使用的绝对化用语';

// Disguises a writer or a copied page may hide a term behind: spaces and light symbols
// between its characters (最 好, 第.一) are passed over, full-width letters and digits read
// as their half-width forms (ＴＯＰ１) and Latin letters without regard to case.
const PASSED_OVER = new Set(Array.from(' \t\n\r\u00a0\u3000\u200b\ufeff.·•・‧∙-_*/\\|~', (c) => c.charCodeAt(0)));

const readAs = (c) => (c >= 0xff01 && c <= 0xff5e ? c - 0xfee0 : c);
const changes = (c) => PASSED_OVER.has(c) || (c >= 65 && c <= 90) || (c >= 0xff01 && c <= 0xff5e);

// The text as the matcher reads it, and for each of its characters the place in the original
// (null when they are the same: most text needs nothing done). The place table is reused by
// the next call.
let codes = new Uint16Array(4096);
let at = new Int32Array(4096);
function normalise(text) {
  let i = 0;
  while (i < text.length && !changes(text.charCodeAt(i))) i++;
  if (i === text.length) return { text: text, at: null };
  if (codes.length < text.length) {
    codes = new Uint16Array(text.length);
    at = new Int32Array(text.length);
  }
  let n = 0;
  for (i = 0; i < text.length; i++) {
    let c = readAs(text.charCodeAt(i));
    if (PASSED_OVER.has(c)) continue;
    if (c >= 65 && c <= 90) c += 32;
    codes[n] = c;
    at[n++] = i;
  }
  let out = '';
  for (let from = 0; from < n; from += 8192) out += String.fromCharCode.apply(null, codes.subarray(from, Math.min(n, from + 8192)));
  return { text: out, at: at };
}

// rules: { terms: Map(term -> {reason, kind}), exceptions: Set, kinds: Map(kind -> reason) }
// with the automaton over all of them, built here once per rule file.
function parseRules(text) {
  if (text.charCodeAt(0) === 0xfeff) text = text.slice(1);
  const terms = new Map();
  const exceptions = new Set();
  const kinds = new Map();
  let kind = '';
  for (const raw of text.split(/\r\n|\n|\r/)) {
    const line = raw.trim();
    if (line === '') continue;
    if (line[0] === '#') {
      const group = /^#\s*【([^】]+)】(?:\s*\|\|\|(.*))?/.exec(line);
      if (group) {
        kind = group[1];
        if (group[2] && group[2].trim()) kinds.set(kind, group[2].trim());
      }
      continue;
    }
    if (line[0] === '!') {
      if (line.length > 1) exceptions.add(line.slice(1));
      continue;
    }
    const at = line.indexOf(SEPARATOR);
    const term = at < 0 ? line : line.slice(0, at).trim();
    const reason = at < 0 ? '' : line.slice(at + SEPARATOR.length).trim();
    if (term !== '') terms.set(term, { reason: reason || kinds.get(kind) || DEFAULT_REASON, kind: kind });
  }
  // Exceptions come last so that one spelled like a term overrides it.
  const entries = [];
  for (const [term, info] of terms) entries.push({ text: normalise(term).text, info: info });
  for (const word of exceptions) entries.push({ text: normalise(word).text, exception: true });
  const usable = entries.filter((e) => e.text !== '');
  return { terms, exceptions, kinds, entries: usable, automaton: build(usable.map((e) => e.text)) };
}

// Every hit in text as {start, end, term, reason, kind}, in the original text's offsets. At
// each place the longest term or exception wins; an exception swallows its whole text.
function findHits(text, rules) {
  const hits = [];
  const plain = normalise(text);
  rules.automaton.each(plain.text, function (start, end, index) {
    const entry = rules.entries[index];
    if (entry.exception) return;
    const from = plain.at ? plain.at[start] : start;
    const to = plain.at ? plain.at[end - 1] + 1 : end;
    hits.push({ start: from, end: to, term: text.slice(from, to), reason: entry.info.reason, kind: entry.info.kind });
  });
  return hits;
}

const unmark = (root) => marks.unmark(root, MARK);
const unmarkHtml = (html) => marks.unmarkHtml(html, MARK);

// Unwraps every law mark and drops the page's other marks (long captions, page breaks)
// below root; works on any DOM (the live editor, a detached document, a test DOM).
function stripMarksIn(root) {
  unmark(root);
  for (const el of Array.from(root.querySelectorAll('[data-corvel-mark]'))) {
    el.removeAttribute('data-corvel-mark');
    el.removeAttribute('title');
  }
  for (const el of Array.from(root.querySelectorAll('[data-corvel-page-break]'))) {
    el.removeAttribute('data-corvel-page-break');
    el.removeAttribute('contenteditable');
  }
}

// The one function that copy and export use: the article without any mark of the page.
function stripMarks(html) {
  if (html.indexOf('data-corvel-') < 0) return html;
  const body = parseFragment(html);
  stripMarksIn(body);
  return body.innerHTML;
}

// Marks every hit below root (old marks go first) and returns the hits in reading order,
// each with its mark element.
function markIn(root, rules) {
  unmark(root);
  const doc = root.ownerDocument;
  const found = [];
  for (const node of corvelRules.textNodes(root)) {
    const hits = findHits(node.nodeValue, rules);
    if (hits.length === 0) continue;
    const text = node.nodeValue;
    const parent = node.parentNode;
    let at = 0;
    for (const hit of hits) {
      if (hit.start > at) parent.insertBefore(doc.createTextNode(text.slice(at, hit.start)), node);
      const mark = marks.draw(doc, MARK, hit.kind || 'term', hit.reason, hit.term);
      parent.insertBefore(mark, node);
      found.push({ term: hit.term, reason: hit.reason, kind: hit.kind, element: mark });
      at = hit.end;
    }
    if (at < text.length) parent.insertBefore(doc.createTextNode(text.slice(at)), node);
    parent.removeChild(node);
  }
  return found;
}

export { parseRules, findHits, markIn, unmark, unmarkHtml, stripMarks, stripMarksIn, MARK };
