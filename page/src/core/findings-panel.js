// A panel that lists what a check found in the article, beside the editor and never over it:
// while it is open the page leaves a column on the right for it, so the hit a click moves to
// is never hidden. It lives in the page around the editor, never in the article.
//
//   const panel = findingsPanel.show(editor, {
//     title: '广告法用语检查：发现 3 处',
//     findings: [{ rule, text, reason, locate: () => Range | Element, undo?: () => void }],
//     actions: [{ text: '清除标记', run() {} }],   // buttons in the head, before 关闭
//     onClose: () => {},                            // 关闭, or another panel taking the place
//   });
//   panel.close();
//
// A click on a finding selects what locate() returns, scrolls it to the middle of the editing
// area and outlines it for a moment. A finding with undo() gets its own 撤销 button, which
// is dropped from the list once used. A new article in the editor closes the panel.
import { flashRanges } from './highlight.js';
import { element } from './html.js';

const PANEL_ID = 'corvel-findings';
const OPEN_CLASS = 'corvel-findings-open';
const LIST_PART = 100;

function asRange(editor, target) {
  if (!target) return null;
  if (target.nodeType === undefined) return target; // already a Range
  if (!target.isConnected) return null;
  const range = editor.ed.createRange();
  range.selectNodeContents(target);
  return range;
}

// Selects the finding's place and scrolls it into the middle of the editing area.
function moveTo(editor, finding) {
  const range = asRange(editor, finding.locate());
  if (!range) return false;
  const start = range.startContainer;
  const anchor = start.nodeType === 1 ? start : start.parentNode;
  if (anchor && anchor.scrollIntoView) anchor.scrollIntoView({ block: 'center', inline: 'nearest' });
  editor.s.focus();
  editor.s.selectRange(range);
  flashRanges(editor, [range], 1200);
  return true;
}

let current = null;

function close() {
  if (!current) return;
  const { panel, onClose, doc } = current;
  current = null;
  panel.remove();
  doc.body.classList.remove(OPEN_CLASS);
  if (onClose) onClose();
}

function findingItem(editor, doc, finding, number) {
  const item = element(doc, 'div', 'corvel-findings-item');
  item.appendChild(element(doc, 'span', 'corvel-findings-number', number + '.'));
  item.appendChild(element(doc, 'span', 'corvel-findings-text', finding.text));
  if (finding.undo) {
    const undo = element(doc, 'button', 'corvel-findings-undo', '撤销');
    undo.title = '只撤销这一处';
    undo.addEventListener('click', (event) => {
      event.stopPropagation();
      finding.undo();
      item.remove();
    });
    item.appendChild(undo);
  }
  if (finding.reason) item.appendChild(element(doc, 'span', 'corvel-findings-reason', finding.reason));
  if (finding.rule) item.dataset.rule = finding.rule;
  item.addEventListener('click', () => moveTo(editor, finding));
  return item;
}

// A new article in the editor (another draft, 转为繁体, an undo of the whole check) leaves
// nothing for the list to point at.
const watched = new WeakSet();
function closeOnNewArticle(editor) {
  if (watched.has(editor)) return;
  watched.add(editor);
  editor.e.on('beforeSetValueToEditor', (value) => {
    if (typeof value === 'string') close();
  });
}

function show(editor, options) {
  close();
  closeOnNewArticle(editor);
  const doc = editor.container.ownerDocument;
  const panel = element(doc, 'div', '');
  panel.id = PANEL_ID;
  const head = element(doc, 'div', 'corvel-findings-head');
  head.appendChild(element(doc, 'span', 'corvel-findings-title', options.title));
  for (const action of options.actions || []) {
    const button = element(doc, 'button', '', action.text);
    button.addEventListener('click', () => action.run());
    head.appendChild(button);
  }
  const shut = element(doc, 'button', '', '关闭');
  shut.addEventListener('click', close);
  head.appendChild(shut);
  panel.appendChild(head);
  const list = element(doc, 'div', 'corvel-findings-list');
  // A long list is drawn a part at a time as it is scrolled, so that a check of a long article
  // costs no more than the part in view.
  let shown = 0;
  const showMore = function () {
    const end = Math.min(options.findings.length, shown + LIST_PART);
    for (; shown < end; shown++) list.appendChild(findingItem(editor, doc, options.findings[shown], shown + 1));
  };
  list.addEventListener('scroll', () => {
    if (shown < options.findings.length && list.scrollTop + list.clientHeight >= list.scrollHeight - 200) showMore();
  });
  showMore();
  panel.appendChild(list);
  doc.body.appendChild(panel);
  doc.body.classList.add(OPEN_CLASS);
  current = { panel, onClose: options.onClose, doc };
  return { element: panel, close: () => current && current.panel === panel && close() };
}

export { show, close, moveTo };
