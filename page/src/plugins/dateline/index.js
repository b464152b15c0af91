// 电头 at the start of the article and 责任编辑 at its end, each chosen from the lists in
// 格式化选项.
import { parseFragment } from '../../core/html.js';
import { popupMenu } from '../../core/popup-menu.js';
import { insertInto } from './dateline.js';

const UNSET = '（未设置，可在“格式化选项”中添加）';

function withDateline(html, dateline, indent) {
  const body = parseFragment(html);
  insertInto(body, dateline, indent, new Date());
  return body.innerHTML;
}

// An editor line that is a block of its own stays one; text gets a paragraph.
function withEditorLine(html, line) {
  return /^\s*<(p|div|h[1-6]|table|blockquote)\b/i.test(line) ? html + line : html + '<p>' + line + '</p>';
}

export default {
  name: 'corvelDateline',

  install(page) {
    const s = page.settings;
    const insertDateline = (item) => page.setArticle(withDateline(page.jodit.value, item, s.paragraphBeforeBlank));
    const insertEditorName = (item) => page.setArticle(withEditorLine(page.jodit.value, item));
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
      tooltip: '在文章末尾插入责任编辑',
      popup: (jodit, current, close) => popupMenu(page.doc, choices(s.editorNames), insertEditorName, close, UNSET),
    });
  },
};
