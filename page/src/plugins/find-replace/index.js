// 查找替换: a small panel under the toolbar that finds the next match, replaces one, or
// replaces every match in the whole article as one undoable change and says how many.
import { parseFragment, element } from '../../core/html.js';
import { flashRanges } from '../../core/highlight.js';
import { replaceAll, findNext, countIn, matchesIn } from './find-replace.js';

const PANEL_ID = 'corvel-find-panel';

function field(doc, caption) {
  const label = element(doc, 'label', 'corvel-find-field', caption);
  const input = element(doc, 'input');
  input.type = 'text';
  label.appendChild(input);
  return [label, input];
}

function panel(page) {
  const { doc, jodit } = page;
  const old = doc.getElementById(PANEL_ID);
  if (old) return old;
  const box = element(doc, 'div');
  box.id = PANEL_ID;
  const [findLabel, find] = field(doc, '查找');
  const [withLabel, replacement] = field(doc, '替换为');
  const loose = element(doc, 'input');
  loose.type = 'checkbox';
  const looseLabel = element(doc, 'label', 'corvel-find-option', '全角半角视为相同');
  looseLabel.prepend(loose);
  const status = element(doc, 'span', 'corvel-find-status');
  const say = (text) => (status.textContent = text);
  const button = (caption, run) => {
    const b = element(doc, 'button', '', caption);
    b.type = 'button';
    b.addEventListener('click', () => run(find.value, loose.checked));
    return b;
  };

  function next(needle, fold) {
    if (!needle) return say('请输入要查找的文字');
    const range = jodit.s.range;
    const inside = range && jodit.editor.contains(range.endContainer);
    const at = findNext(jodit.editor, needle, fold, inside ? range.endContainer : null, inside ? range.endOffset : 0);
    if (!at) return say('未找到“' + needle + '”');
    const found = jodit.ed.createRange();
    found.setStart(at.node, at.start);
    found.setEnd(at.node, at.end);
    jodit.s.selectRange(found);
    at.node.parentElement.scrollIntoView({ block: 'center' });
    flashRanges(jodit, [found], 1200);
    say('共 ' + countIn(jodit.editor, needle, fold) + ' 处');
  }

  function replaceOne(needle, fold) {
    const range = jodit.s.range;
    const chosen = range && jodit.editor.contains(range.startContainer) ? range.toString() : '';
    if (needle && chosen.length === needle.length && matchesIn(chosen, needle, fold).length === 1) {
      range.deleteContents();
      range.insertNode(jodit.ed.createTextNode(replacement.value));
      range.collapse(false);
      jodit.s.selectRange(range);
      jodit.synchronizeValues();
    }
    next(needle, fold);
  }

  function all(needle, fold) {
    if (!needle) return say('请输入要查找的文字');
    const body = parseFragment(jodit.value);
    const count = replaceAll(body, needle, replacement.value, fold);
    if (count === 0) return say('未找到“' + needle + '”');
    page.setArticle(body.innerHTML);
    say('已替换 ' + count + ' 处');
    page.notices.flash('已替换 ' + count + ' 处');
  }

  const close = element(doc, 'button', '', '关闭');
  close.type = 'button';
  close.addEventListener('click', () => {
    box.remove();
    if (page.api.fit) page.api.fit();
  });
  find.addEventListener('keydown', (event) => {
    if (event.key === 'Enter') next(find.value, loose.checked);
  });
  box.addEventListener('keydown', (event) => {
    if (event.key === 'Escape') close.click();
  });
  box.append(findLabel, withLabel, looseLabel, button('查找下一个', next), button('替换', replaceOne),
    button('全部替换', all), close, status);
  jodit.toolbarContainer.after(box);
  return box;
}

// The panel opens with the selected text to look for.
function open(page) {
  const box = panel(page);
  const input = box.querySelector('input');
  const chosen = page.jodit.s.range ? page.jodit.s.range.toString() : '';
  if (chosen && !chosen.includes('\n')) input.value = chosen;
  input.focus();
  input.select();
  if (page.api.fit) page.api.fit();
}

export default {
  name: 'corvelFindReplace',

  install(page) {
    page.api.findReplace = () => open(page);
    page.registry.define({
      name: 'corvelFindReplace',
      text: '查找替换',
      tooltip: '在全文中查找和替换，可以一次全部替换（Ctrl+F）',
      keys: ['f', 'h'],
      exec: () => open(page),
    });
  },
};
