// 打开 (Ctrl+O) a Word, web or text file as a new article, and 导出 the article as a Word
// document, a self-contained web page or plain text. Only with the program's article store.
import { parseFragment } from '../../core/html.js';
import { eachTextNode } from '../../core/rules.js';
import { popupMenu } from '../../core/popup-menu.js';
import { mammoth, docx } from '../../core/vendor.js';
import { plainText } from '../formatting/formatter.js';
import { reason } from '../../core/host-bridge.js';
import { describe, inlined } from '../drafts/outgoing.js';
import * as files from './article-files.js';

const EXPORTS = [
  ['docx', 'Word 文档（.docx）'],
  ['html', '网页（.html，图片在文件内）'],
  ['txt', '纯文本（.txt）'],
];

export default {
  name: 'corvelFiles',

  install(page) {
    const { host, notices: board, api } = page;
    if (!host) return;

    // A Word file keeps its own layout (headings, alignment, inline styles, notes): only the
    // automatic text steps run, not the article layout of a paste.
    function keptAsWritten(html) {
      const body = parseFragment(html);
      eachTextNode(body, page.steps.automatic);
      return body.innerHTML;
    }

    async function openFile() {
      const file = await host.chooseOpenFile();
      if (!file.ok) return board.flash('未能打开文件：' + reason(file));
      if (file.cancelled) return;
      let read;
      try {
        read = await files.readOpenedFile(file, mammoth(), { pageBreakTag: page.settings.pageBreakTag });
      } catch (e) {
        return board.flash('无法读取“' + file.name + '”：文件已损坏，或不是Word文档。');
      }
      const made = await page.session.create(file.kind === 'docx' ? keptAsWritten(read.html) : api.processPaste(read.html));
      if (!made.ok) return board.flash('未能把“' + file.name + '”存为新文章：' + reason(made));
      board.flash('已打开“' + file.name + '”，存为一篇新文章。' + (read.warnings.length ? '部分内容未能读取。' : ''), 5000);
    }

    async function exportAs(kind) {
      const html = api.html;
      const title = describe(api.cleanHtml()).title;
      let data;
      if (kind === 'txt') {
        data = files.plainTextWithImages(parseFragment(html), plainText);
      } else {
        const body = await inlined(html, host, page.confirm);
        if (!body) return;
        data = kind === 'html' ? files.selfContainedHtml(body, title) : await files.wordDocument(body, docx(), { pageBreakTag: page.settings.pageBreakTag });
      }
      const result = await host.chooseSaveFile(files.fileName(title, kind), kind, data, kind === 'docx');
      if (!result.ok) board.flash('未能导出：' + reason(result));
      else if (!result.cancelled) board.flash('已导出到 ' + result.path, 5000);
    }

    page.files = { openFile, exportAs };
    page.registry.define({ name: 'corvelOpen', text: '打开', tooltip: '打开 Word、网页或文本文件，存为新文章（Ctrl+O）', keys: ['o'], exec: openFile });
    page.registry.define({
      name: 'corvelExport',
      text: '导出',
      tooltip: '把文章导出为 Word、网页或文本文件',
      popup: (jodit, current, close) => popupMenu(page.doc, EXPORTS, exportAs, close),
    });
  },

  start(page) {
    if (page.files) Object.assign(page.api.articles, page.files);
  },
};
