// 错误更正 on the whole article: applies the correction rules to every text node, counts the
// places changed, and tidies what removals leave behind (an emptied paragraph, a paragraph
// blank written twice). Hits are reported as text-node positions so that the page can show
// them once the corrected article is in the editor.
import * as corvelRules from '../../core/rules.js';

const BLANKS = /^[\s\u00a0\u3000\u200b\ufeff]*$/;

// A paragraph that holds nothing visible any more (no text, image, table or break marker).
function isEmptyParagraph(p) {
  return BLANKS.test(p.textContent || '') && !p.querySelector('img,table,hr,iframe,video');
}

// The indent written twice at a paragraph's start (the text between two was removed).
function undoubleIndent(p, indent) {
  const lead = p.firstChild;
  if (!indent || !lead || lead.nodeType !== 3) return;
  let text = lead.nodeValue;
  if (!text.startsWith(indent + indent)) return;
  while (text.startsWith(indent + indent)) text = text.slice(indent.length);
  lead.nodeValue = text;
}

// body: a detached <body> holding the article; changed in place. correct(text, onHit) is the
// corrector from CorvelRules. Returns {count, hits: [{node, start, end}]} where node is the
// index of the text node (in document order, after tidying) and start/end are offsets.
function correctIn(body, correct, indent) {
  let count = 0;
  const changed = [];
  for (const node of corvelRules.textNodes(body)) {
    const found = [];
    const after = correct(node.nodeValue, (start, length) => found.push({ start: start, end: start + length }));
    count += found.length;
    if (after !== node.nodeValue) node.nodeValue = after;
    if (found.length) changed.push({ node: node, ranges: found });
  }
  if (count > 0) {
    for (const p of Array.from(body.querySelectorAll('p'))) {
      if (isEmptyParagraph(p)) p.parentNode.removeChild(p);
      else undoubleIndent(p, indent);
    }
  }
  const order = corvelRules.textNodes(body);
  const hits = [];
  for (const entry of changed) {
    const index = order.indexOf(entry.node);
    if (index < 0) continue;
    for (const r of entry.ranges) {
      if (r.end > r.start && r.end <= entry.node.nodeValue.length) hits.push({ node: index, start: r.start, end: r.end });
    }
  }
  return { count: count, hits: hits };
}

export { correctIn };
