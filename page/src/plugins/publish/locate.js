// Where a finding is in the editor: the nth appearance of its text, or its picture.

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

// What a finding's place is in the live editor: a Range of the nth appearance of its text, its
// picture, or null for something missing.
function locate(editor, at) {
  if (!at) return null;
  if (at.picture !== undefined) return editor.editor.querySelectorAll('img')[at.picture] || null;
  return rangeOfText(editor.ed, editor.editor, at.text, at.occurrence || 0);
}

export { locate, rangeOfText };
