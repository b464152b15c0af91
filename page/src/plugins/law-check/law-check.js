// 广告法用语检查: finds the absolute terms and claims that advertising must not use, marks
// each hit in the article with its reason, and removes every mark of the page again before
// the article leaves it (copy, export). The rule file lists one term a line with an optional
// reason after "|||"; "#" starts a comment; a line starting with "!" is an exception, an
// ordinary longer word that holds a term (第一季度, 最后) and is never flagged.
import * as corvelRules from '../../core/rules.js';
import { parseFragment } from '../../core/html.js';

const SEPARATOR = '|||';
const MARK = 'data-corvel-law';
const DEFAULT_REASON = '广告中不得使用的绝对化用语';

// rules: { terms: Map(term -> {reason, kind}), exceptions: Set, longest: number }
function parseRules(text) {
  if (text.charCodeAt(0) === 0xfeff) text = text.slice(1);
  const terms = new Map();
  const exceptions = new Set();
  let kind = '';
  for (const raw of text.split(/\r\n|\n|\r/)) {
    const line = raw.trim();
    if (line === '') continue;
    if (line[0] === '#') {
      // "# 【kind】" names the group the following terms belong to.
      const group = /^#\s*【([^】]+)】/.exec(line);
      if (group) kind = group[1];
      continue;
    }
    if (line[0] === '!') {
      if (line.length > 1) exceptions.add(line.slice(1));
      continue;
    }
    const at = line.indexOf(SEPARATOR);
    const term = at < 0 ? line : line.slice(0, at).trim();
    const reason = at < 0 ? '' : line.slice(at + SEPARATOR.length).trim();
    if (term !== '') terms.set(term, { reason: reason || DEFAULT_REASON, kind: kind });
  }
  return { terms: terms, exceptions: exceptions };
}

// Every hit in text as {start, end, term, reason, kind}. At each place the longest term or
// exception wins; an exception swallows its whole text. Latin terms (TOP1, No.1) match
// without regard to case.
function findHits(text, rules) {
  const entries = [];
  for (const [term, info] of rules.terms) entries.push({ text: term.toLowerCase(), term: term, info: info });
  for (const word of rules.exceptions) entries.push({ text: word.toLowerCase(), exception: true });
  entries.sort((a, b) => b.text.length - a.text.length);
  const byFirst = new Map();
  for (const e of entries) {
    const first = e.text[0];
    if (!byFirst.has(first)) byFirst.set(first, []);
    byFirst.get(first).push(e);
  }
  const lower = text.toLowerCase();
  const hits = [];
  let i = 0;
  while (i < lower.length) {
    const found = (byFirst.get(lower[i]) || []).find((e) => lower.startsWith(e.text, i));
    if (!found) {
      i++;
      continue;
    }
    if (!found.exception) {
      hits.push({
        start: i,
        end: i + found.text.length,
        term: text.slice(i, i + found.text.length),
        reason: found.info.reason,
        kind: found.info.kind,
      });
    }
    i += found.text.length;
  }
  return hits;
}

// Unwraps every law mark and drops the page's other marks (long captions, page breaks)
// below root; works on any DOM (the live editor, a detached document, a test DOM).
function stripMarksIn(root) {
  for (const span of Array.from(root.querySelectorAll('span[' + MARK + ']'))) {
    while (span.firstChild) span.parentNode.insertBefore(span.firstChild, span);
    span.parentNode.removeChild(span);
  }
  for (const el of Array.from(root.querySelectorAll('[data-corvel-mark]'))) {
    el.removeAttribute('data-corvel-mark');
    el.removeAttribute('title');
  }
  for (const el of Array.from(root.querySelectorAll('[data-corvel-page-break]'))) {
    el.removeAttribute('data-corvel-page-break');
    el.removeAttribute('contenteditable');
  }
  if (root.normalize) root.normalize();
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
  stripMarksIn(root);
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
      const mark = doc.createElement('span');
      mark.setAttribute(MARK, hit.kind || 'term');
      mark.setAttribute('title', hit.reason);
      mark.textContent = hit.term;
      parent.insertBefore(mark, node);
      found.push({ term: hit.term, reason: hit.reason, kind: hit.kind, element: mark });
      at = hit.end;
    }
    if (at < text.length) parent.insertBefore(doc.createTextNode(text.slice(at)), node);
    parent.removeChild(node);
  }
  return found;
}

export { parseRules, findHits, markIn, stripMarks, stripMarksIn, MARK };
