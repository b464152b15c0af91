// Moves the editor to a finding: the nth appearance of its text, or its picture.
import { flashRanges } from '../../core/highlight.js';

function rangeOfText(doc, root, text, occurrence) {
  const nodes = [];
  const walker = doc.createTreeWalker(root, 4); // text nodes
  let all = '';
  for (let n = walker.nextNode(); n; n = walker.nextNode()) {
    nodes.push({ node: n, start: all.length });
    all += n.nodeValue;
  }
  let at = -1;
  for (let i = 0; i <= occurrence; i++) {
    at = all.indexOf(text, at + 1);
    if (at < 0) return null;
  }
  const end = at + text.length;
  const pick = (offset, isEnd) => nodes.findLast((x) => (isEnd ? x.start < offset : x.start <= offset));
  const first = pick(at, false);
  const last = pick(end, true);
  const range = doc.createRange();
  range.setStart(first.node, at - first.start);
  range.setEnd(last.node, end - last.start);
  return range;
}

// at: {text, occurrence}, {picture}, or null (nothing to move to).
function moveTo(editor, at) {
  if (!at) return false;
  const doc = editor.ed;
  let range = null;
  if (at.picture !== undefined) {
    const img = editor.editor.querySelectorAll('img')[at.picture];
    if (img) {
      range = doc.createRange();
      range.selectNode(img);
    }
  } else {
    range = rangeOfText(doc, editor.editor, at.text, at.occurrence || 0);
  }
  if (!range) return false;
  const target = range.startContainer.nodeType === 1 ? range.startContainer : range.startContainer.parentNode;
  if (target.scrollIntoView) target.scrollIntoView({ block: 'center' });
  editor.s.focus();
  editor.s.selectRange(range);
  flashRanges(editor, [range], 1200);
  return true;
}

export { moveTo, rangeOfText };
