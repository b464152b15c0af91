// 电头 at the start of the article and 责任编辑 at its end, each chosen from the lists in
// 格式化选项; the caret then stands where the writer goes on typing.
import { parseFragment } from '../../core/html.js';
import { popupMenu } from '../../core/popup-menu.js';
import { insertInto, appendEditorLine } from './dateline.js';

const UNSET = '（未设置，可在“格式化选项”中添加）';

// caret: {block, offset} from dateline.js; a block of -1 is the article's end. The offset is
// counted in the block's text, and a boundary goes to the start of the next piece of text,
// so that typing after a bold dateline is not bold.
function placeCaret(jodit, caret) {
  const block = jodit.editor.children[caret.block];
  jodit.s.focus();
  if (!block) return jodit.s.setCursorIn(jodit.editor, false);
  const walker = jodit.ed.createTreeWalker(block, 4);
  let left = caret.offset;
  let last = null;
  for (let node = walker.nextNode(); node; node = walker.nextNode()) {
    // Right after a bold dateline the browser would type in bold: Jodit's own step over it.
    if (left === 0 && node.previousSibling && node.previousSibling.nodeType === 1) return jodit.s.setCursorAfter(node.previousSibling);
    if (left < node.length) return jodit.s.selectRange(collapsedAt(jodit, node, left));
    left -= node.length;
    last = node;
  }
  if (last) jodit.s.selectRange(collapsedAt(jodit, last, last.length));
  else jodit.s.setCursorIn(block, false);
}

function collapsedAt(jodit, node, offset) {
  const range = jodit.ed.createRange();
  range.setStart(node, offset);
  range.collapse(true);
  return range;
}

function insert(page, change) {
  const body = parseFragment(page.jodit.value);
  const caret = change(body);
  page.setArticle(body.innerHTML);
  placeCaret(page.jodit, caret);
}

export default {
  name: 'corvelDateline',

  install(page) {
    const s = page.settings;
    const insertDateline = (item) => insert(page, (body) => insertInto(body, item, s.paragraphBeforeBlank, new Date()));
    const insertEditorName = (item) => insert(page, (body) => appendEditorLine(body, item));
    page.api.insertDateline = insertDateline;
    page.api.insertEditorName = insertEditorName;
    const choices = (items) => items.map((item) => [item, item, true]);
    page.registry.define({
      name: 'corvelDateline',
      text: '电头',
      tooltip: '在文章开头插入电头',
      popup: (jodit, current, close) => popupMenu(page.doc, choices(s.datelines), insertDateline, close, UNSET),
    });
    page.registry.define({
      name: 'corvelEditorName',
      text: '责任编辑',
      tooltip: '在文章末尾插入责任编辑，光标停在填写姓名的位置',
      popup: (jodit, current, close) => popupMenu(page.doc, choices(s.editorNames), insertEditorName, close, UNSET),
    });
  },
};
