// 字数 in the status bar, when the settings ask for it.
import { count, textOf } from './word-count.js';

export default {
  name: 'corvelWordCount',

  install(page) {
    page.api.wordCountShown = false;
  },

  start(page) {
    if (!page.settings.wordCount) return;
    const editor = page.jodit;
    const counter = page.doc.createElement('span');
    counter.className = 'corvel-word-count';
    const update = function () {
      const n = count(textOf(editor.editor, page.settings.pageBreakTag));
      counter.textContent = '字数：' + n.words + '　字符数（含空格）：' + n.withBlanks;
      page.tools.wordCount = n;
    };
    editor.statusbar.append(counter, true);
    editor.e.on('change keyup afterSetMode', update);
    update();
    page.api.wordCountShown = true;
  },
};
