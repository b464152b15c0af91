// 错误更正 on the article: applies the correction rules to every text node and draws each
// place changed as a mark holding the new text (the marks never reach the editor's value),
// so that the page can list every change, move to it and undo it alone. Removals can empty a
// paragraph or write the paragraph blank twice; both are tidied, and an emptied paragraph is
// kept aside so that undoing its change puts it back.
import * as corvelRules from '../../core/rules.js';
import * as marks from '../../core/marks.js';

const MARK = 'data-corvel-fix';
const BLANKS = /^[\s\u00a0\u3000\u200b\ufeff]*$/;

// A paragraph that holds nothing visible any more (no text, image, table or break marker).
function isEmptyParagraph(p) {
  return BLANKS.test(p.textContent || '') && !p.querySelector('img,table,hr,iframe,video');
}

// The indent written twice at a paragraph's start (the text between two was removed, and its
// emptied mark may stand between them): the first indent stays.
function undoubleIndent(p, indent) {
  if (!indent) return;
  const run = [];
  for (let n = p.firstChild; n; n = n.nextSibling) {
    if (n.nodeType === 3) run.push(n);
    else if (!(n.nodeType === 1 && n.hasAttribute(MARK) && n.textContent === '')) break;
  }
  const text = run.map((n) => n.nodeValue).join('');
  if (!text.startsWith(indent)) return;
  let drop = 0;
  while (text.startsWith(indent, indent.length + drop)) drop += indent.length;
  let keep = indent.length;
  for (const n of run) {
    if (drop === 0) break;
    const value = n.nodeValue;
    const from = Math.min(keep, value.length);
    const cut = Math.min(drop, value.length - from);
    keep -= from;
    drop -= cut;
    if (cut > 0) n.nodeValue = value.slice(0, from) + value.slice(from + cut);
  }
}

// The text nodes the rules would change, with their new text and places; nothing is touched.
// correct(text, onHit) is the corrector from CorvelRules.
function plan(root, correct) {
  const planned = [];
  for (const node of corvelRules.textNodes(root)) {
    const hits = [];
    const after = correct(node.nodeValue, (start, length, before) => hits.push({ start, length, before }));
    if (hits.length) planned.push({ node, after, hits });
  }
  return planned;
}

// Carries out a plan and returns the changes in reading order: [{before, after, mark,
// removed}], removed being {paragraph, parent, next} where the change emptied its paragraph.
function apply(planned, indent) {
  const changes = [];
  for (const { node, after, hits } of planned) {
    const doc = node.ownerDocument;
    const parent = node.parentNode;
    let at = 0;
    for (const hit of hits) {
      if (hit.start > at) parent.insertBefore(doc.createTextNode(after.slice(at, hit.start)), node);
      const text = after.slice(hit.start, hit.start + hit.length);
      const mark = marks.draw(doc, MARK, '', '原文：' + hit.before, text);
      parent.insertBefore(mark, node);
      changes.push({ before: hit.before, after: text, mark: mark, removed: null });
      at = hit.start + hit.length;
    }
    if (at < after.length) parent.insertBefore(doc.createTextNode(after.slice(at)), node);
    parent.removeChild(node);
  }
  const paragraphs = new Map();
  for (const change of changes) {
    const p = change.mark.closest('p');
    if (p) paragraphs.set(p, (paragraphs.get(p) || []).concat(change));
  }
  for (const [p, inside] of paragraphs) {
    if (!isEmptyParagraph(p)) {
      undoubleIndent(p, indent);
      continue;
    }
    const removed = { paragraph: p, parent: p.parentNode, next: p.nextSibling };
    for (const change of inside) change.removed = removed;
    p.parentNode.removeChild(p);
  }
  return changes;
}

// Corrects everything below root; returns the changes (see apply).
function correctIn(root, correct, indent) {
  return apply(plan(root, correct), indent);
}

// Puts one change back; false when the writer has changed that place since.
function undo(change) {
  const { mark, removed } = change;
  if (mark.textContent !== change.after) return false;
  if (!mark.isConnected) {
    if (!removed || !removed.parent.isConnected || (removed.next && removed.next.parentNode !== removed.parent)) return false;
    removed.parent.insertBefore(removed.paragraph, removed.next);
  }
  mark.textContent = change.before;
  marks.unwrap(mark);
  return true;
}

const unmark = (root) => marks.unmark(root, MARK);
const unmarkHtml = (html) => marks.unmarkHtml(html, MARK);

export { plan, apply, correctIn, undo, unmark, unmarkHtml, MARK };
