// A plain list of findings beside the article ({rule, text, at}), each moving the editor to its
// place when clicked. It takes the law check's place and look, so one such list shows at a time.
import { moveTo } from './locate.js';

const ID = 'corvel-law-panel';

function element(doc, tag, className, text) {
  const el = doc.createElement(tag);
  if (className) el.className = className;
  if (text !== undefined) el.textContent = text;
  return el;
}

function showFindings(editor, doc, title, findings) {
  closeFindings(doc);
  const panel = element(doc, 'div', 'corvel-findings');
  panel.id = ID;
  const head = element(doc, 'div', 'corvel-law-head');
  const shut = element(doc, 'button', '', '关闭');
  shut.addEventListener('click', () => closeFindings(doc));
  head.append(element(doc, 'span', 'corvel-law-title', title), shut);
  const list = element(doc, 'div', 'corvel-law-list');
  findings.forEach(function (finding, i) {
    const item = element(doc, 'div', 'corvel-law-item');
    item.append(element(doc, 'span', 'corvel-law-number', i + 1 + '.'), element(doc, 'span', 'corvel-law-term', finding.text),
      element(doc, 'span', 'corvel-law-reason', finding.rule));
    item.addEventListener('click', () => moveTo(editor, finding.at));
    list.appendChild(item);
  });
  panel.append(head, list);
  doc.body.appendChild(panel);
  return panel;
}

function closeFindings(doc) {
  const old = doc.getElementById(ID);
  if (old) old.remove();
}

export { showFindings, closeFindings };
