// Outlines ranges of the editing frame for a moment, in the page around the editor, never in
// the article, so that nothing of it can be copied or saved.
function flashRanges(editor, ranges, ms) {
  const frame = editor.iframe;
  if (!frame || ranges.length === 0) return;
  const doc = frame.ownerDocument;
  const base = frame.getBoundingClientRect();
  const boxes = [];
  for (const range of ranges) {
    for (const r of Array.from(range.getClientRects())) {
      const box = doc.createElement('div');
      box.className = 'corvel-flash';
      box.style.left = base.left + r.left - 2 + 'px';
      box.style.top = base.top + r.top - 1 + 'px';
      box.style.width = r.width + 4 + 'px';
      box.style.height = r.height + 2 + 'px';
      doc.body.appendChild(box);
      boxes.push(box);
    }
  }
  setTimeout(() => boxes.forEach((b) => b.remove()), ms || 1500);
}

export { flashRanges };
