// The panel of 广告法用语检查: it sits in the page around the editor, never in the article,
// so nothing of it can be copied or saved.
import { flashRanges } from '../../core/highlight.js';

function element(tag, className, text) {
  const el = document.createElement(tag);
  if (className) el.className = className;
  if (text !== undefined) el.textContent = text;
  return el;
}

function select(editor, el) {
  el.scrollIntoView({ block: 'center' });
  const range = editor.ed.createRange();
  range.selectNodeContents(el);
  editor.s.focus();
  editor.s.selectRange(range);
  flashRanges(editor, [range], 1200);
}

// hits: [{term, reason, element}] in reading order; onClear removes the marks.
function show(editor, hits, onClear) {
  close();
  const panel = element('div', '');
  panel.id = 'corvel-law-panel';
  const head = element('div', 'corvel-law-head');
  head.appendChild(element('span', 'corvel-law-title',
    hits.length ? '广告法用语检查：发现 ' + hits.length + ' 处' : '广告法用语检查：未发现禁用用语'));
  const clear = element('button', '', '清除标记');
  clear.addEventListener('click', () => {
    onClear();
    close();
  });
  const shut = element('button', '', '关闭');
  shut.addEventListener('click', close);
  head.append(clear, shut);
  panel.appendChild(head);
  const list = element('div', 'corvel-law-list');
  hits.forEach(function (hit, i) {
    const item = element('div', 'corvel-law-item');
    item.appendChild(element('span', 'corvel-law-number', i + 1 + '.'));
    item.appendChild(element('span', 'corvel-law-term', hit.term));
    item.appendChild(element('span', 'corvel-law-reason', hit.reason));
    item.addEventListener('click', () => select(editor, hit.element));
    list.appendChild(item);
  });
  panel.appendChild(list);
  document.body.appendChild(panel);
  return panel;
}

function close() {
  const old = document.getElementById('corvel-law-panel');
  if (old) old.remove();
}

export { show, close };
