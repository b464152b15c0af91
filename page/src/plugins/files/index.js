// 打开 (Ctrl+O) a Word, web or text file as a new article, and 导出 the article as a Word
// document, a self-contained web page or plain text. Only with the program's article store.
import { parseFragment } from '../../core/html.js';
import { eachTextNode } from '../../core/rules.js';
import { popupMenu } from '../../core/popup-menu.js';
import { wordReading, docx } from '../../core/vendor.js';
import { plainText } from '../formatting/formatter.js';
import { reason, errorText } from '../../core/host-bridge.js';
import { inlined } from '../drafts/outgoing.js';
import { articleCount } from '../word-count/index.js';
import * as files from './article-files.js';

const EXPORTS = [
  ['docx', 'Word 文档（.docx）'],
  ['html', '网页（.html，图片在文件内）'],
  ['txt', '纯文本（.txt）'],
  ['pdf', 'PDF（A4，可打印）'],
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

    // A file the program read (chosen in 打开, or handed to it from outside) as a new article;
    // its pictures are stored before its text is saved. A refusal names the file already.
    async function openRead(file) {
      if (!file.ok) return board.flash(reason(file));
      let read;
      try {
        read = await files.readOpenedFile(file, await wordReading(), { pageBreakTag: page.settings.pageBreakTag });
      } catch (e) {
        return board.flash('无法读取“' + file.name + '”：文件已损坏，或不是Word文档。');
      }
      const html = await page.steps.whenReady(() => (file.kind === 'docx' ? keptAsWritten(read.html) : api.processPaste(read.html)));
      const made = await page.session.create(html, files.titleOf(file.name), page.holdPictures);
      if (!made.ok) return board.flash('未能把“' + file.name + '”存为新文章：' + reason(made));
      board.flash('已打开“' + file.name + '”，存为一篇新文章。' + (read.warnings.length ? '部分内容未能读取。' : ''), 5000);
    }

    async function openFile() {
      const file = await host.chooseOpenFile();
      if (!file.cancelled) await openRead(file);
    }

    // Files handed to the program wait in its queue; they are taken one at a time.
    let taking = Promise.resolve();
    function takeOpenedFiles() {
      taking = taking.then(async function () {
        for (let file = await host.takeOpenedFile(); !file.none; file = await host.takeOpenedFile()) {
          await openRead(file);
          if (!file.ok && !file.name) return; // the connection failed: no file to name
        }
      });
      return taking;
    }

    async function exportAs(kind) {
      if (kind === 'pdf') return page.publish.exportPdf();
      const html = api.html;
      const title = articleCount(page).now().title;
      let data;
      if (kind === 'txt') {
        data = files.plainTextWithImages(parseFragment(html), plainText);
      } else {
        const body = await inlined(html, host, page.confirm);
        if (!body) return;
        data = kind === 'html' ? files.selfContainedHtml(body, title) : await files.wordDocument(body, await docx(), { pageBreakTag: page.settings.pageBreakTag });
      }
      const result = await host.chooseSaveFile(files.fileName(title, kind), kind, data, kind === 'docx');
      if (!result.ok) board.flash('未能导出：' + reason(result));
      else if (!result.cancelled) board.flash('已导出到 ' + result.path, 5000);
    }

    page.files = { openFile, exportAs, takeOpenedFiles };
    page.registry.define({ name: 'corvelOpen', text: '打开', tooltip: '打开 Word、网页或文本文件，存为新文章（Ctrl+O）', keys: ['o'], exec: openFile });
    page.registry.define({
      name: 'corvelExport',
      text: '导出',
      tooltip: '把文章导出为 Word、网页或文本文件',
      popup: (jodit, current, close) => popupMenu(page.doc, EXPORTS, exportAs, close),
    });
  },

  start(page) {
    if (!page.files) return;
    Object.assign(page.api.articles, page.files);
    if (page.host.onOpenedFiles) page.host.onOpenedFiles(page.files.takeOpenedFiles);
    // Files named on the command line open once the editor shows the current draft.
    page.files.takeOpenedFiles().catch((error) => page.notices.notice('未能打开文件：' + errorText(error)));
  },
};
