// Articles as documents in the editor: the toolbar commands (文章列表, 新建文章, 历史, 打开,
// 导出, 复制HTML with images inlined), Ctrl+S / Ctrl+O / Ctrl+N, saving through the program,
// and storing every image that arrives in the editor.
(function (root) {
  'use strict';

  const SAVE_DELAY_MS = 800; // typing reaches the disk within about a second
  const SAVE_MAX_DELAY_MS = 1000;
  const RETRY_MS = 5000;
  const EXPORTS = [
    ['docx', 'Word 文档（.docx）'],
    ['html', '网页（.html，图片在文件内）'],
    ['txt', '纯文本（.txt）'],
  ];

  function reason(result) {
    return String(result.error || '未知原因').replace(/[。.\s]+$/, '') + '。';
  }

  function parseBody(html) {
    const doc = document.implementation.createHTMLDocument('');
    doc.body.innerHTML = html;
    return doc.body;
  }

  // The automatic title (first line or heading) and the character count of article HTML.
  function describe(html) {
    const body = parseBody(html);
    const first = CorvelFormatter.plainText(body).split('\n').map((l) => l.replace(/^[\s\u3000]+|[\s\u3000]+$/g, '')).find((l) => l !== '');
    return { title: (first || '').slice(0, 60), chars: CorvelFormatter.countChars(body.textContent || '') };
  }

  function menu(items, choose, close) {
    const box = document.createElement('div');
    box.className = 'corvel-menu';
    for (const [value, caption] of items) {
      const entry = document.createElement('div');
      entry.className = 'corvel-menu-item';
      entry.textContent = caption;
      entry.addEventListener('mousedown', function (event) {
        event.preventDefault();
        close();
        choose(value);
      });
      box.appendChild(entry);
    }
    return box;
  }

  // api: the page's editor api (jodit, html, setArticle, cleanHtml, processPaste,
  // copyToClipboard, copied, board, keepVersion); host: CorvelHost.
  function create(api, host) {
    const board = api.board;
    const busyImages = new WeakSet();
    const confirm = (text) => new Promise((resolve) => api.jodit.confirm(text, '请确认', (yes) => resolve(!!yes)));
    const session = CorvelArticleSession.create({
      host: host,
      timers: { setTimeout: setTimeout.bind(window), clearTimeout: clearTimeout.bind(window), now: Date.now },
      delayMs: SAVE_DELAY_MS,
      maxDelayMs: SAVE_MAX_DELAY_MS,
      retryMs: RETRY_MS,
      board: board,
      describe: describe,
      view: {
        getHtml: () => api.html,
        load: function (html) {
          api.jodit.value = html;
          api.jodit.history.clear(); // an opened article starts its own undo history
          storeImages();
        },
        replace: (html) => api.setArticle(html),
      },
    });
    const panels = {
      doc: document,
      host: host,
      session: session,
      board: board,
      confirm: confirm,
      now: Date.now,
    };

    const readBlob = async function (src) {
      const blob = await (await fetch(src)).blob();
      return { mime: blob.type, base64: CorvelArticleImages.bytesToBase64(new Uint8Array(await blob.arrayBuffer())) };
    };

    // Pasted, dropped, inserted and opened images all pass through here once they are in the
    // editor: each is stored by the host and the article then refers to its address.
    async function storeImages() {
      const id = session.currentId();
      const area = api.jodit.editor;
      if (id === null || !area) return;
      const report = await CorvelArticleImages.storeImages(area, host, id, { busy: busyImages, readBlob: readBlob });
      if (report.stored === 0 && report.missing.length === 0) return;
      api.jodit.synchronizeValues();
      session.changed();
      if (report.missing.length) {
        board.flash(report.missing.length + '张图片无法读取，已换成“图片缺失”标记：' + report.missing[0], 10000);
      }
    }

    async function saveNow() {
      const result = await session.saveNow();
      board.flash(result.ok ? '已保存' : '保存失败：' + reason(result));
    }

    async function newArticle() {
      const result = await session.create('');
      board.flash(result.ok ? '已新建文章，原来的文章在“文章列表”中。' : '未能新建文章：' + reason(result));
    }

    async function openFile() {
      const file = await host.chooseOpenFile();
      if (!file.ok) return board.flash('未能打开文件：' + reason(file));
      if (file.cancelled) return;
      let read;
      try {
        read = await CorvelArticleFiles.readOpenedFile(file, parseBody, root.mammoth);
      } catch (e) {
        return board.flash('无法读取“' + file.name + '”：文件已损坏，或不是Word文档。');
      }
      const made = await session.create(api.processPaste(read.html));
      if (!made.ok) return board.flash('未能把“' + file.name + '”存为新文章：' + reason(made));
      board.flash('已打开“' + file.name + '”，存为一篇新文章。' + (read.warnings.length ? '部分内容未能读取。' : ''), 5000);
    }

    // The article with every stored image inlined and without the page's marks; null when the
    // user stops because of missing images. The missing-image placeholders are counted before
    // the marks go.
    async function inlined(html) {
      const body = parseBody(html);
      const missing = await CorvelArticleImages.inlineImages(body, host);
      if (missing && !(await confirm('有' + missing + '张图片缺失或无法读取，这些图片不会包含在内。仍要继续吗？'))) return null;
      if (root.CorvelLawCheck) root.CorvelLawCheck.stripMarksIn(body);
      return body;
    }

    async function copyHtml() {
      const body = await inlined(api.html);
      if (body) api.copied(api.copyToClipboard(body.innerHTML, body.innerHTML));
    }

    async function exportAs(kind) {
      const html = api.html;
      const title = describe(api.cleanHtml()).title;
      let data;
      if (kind === 'txt') {
        data = CorvelArticleFiles.plainTextWithImages(parseBody(html), CorvelFormatter.plainText);
      } else {
        const body = await inlined(html);
        if (!body) return;
        data = kind === 'html' ? CorvelArticleFiles.selfContainedHtml(body, title) : await CorvelArticleFiles.wordDocument(body, root.docx);
      }
      const result = await host.chooseSaveFile(CorvelArticleFiles.fileName(title, kind), kind, data, kind === 'docx');
      if (!result.ok) board.flash('未能导出：' + reason(result));
      else if (!result.cancelled) board.flash('已导出到 ' + result.path, 5000);
    }

    // A stored image whose file has gone shows a red frame and a lasting notice, never a
    // silent broken icon; the frame goes again if the image loads after all.
    function watchStoredImages(frameDocument) {
      const stored = (node) => node && node.tagName === 'IMG' && /^corvel-article:/i.test(node.getAttribute('src') || '');
      frameDocument.addEventListener('error', function (event) {
        if (!stored(event.target)) return;
        event.target.setAttribute('data-corvel-mark', 'broken-image');
        board.show('broken-image', '有图片文件缺失，无法显示（已用红框标出），复制和导出时会缺少这些图片。');
      }, true);
      frameDocument.addEventListener('load', function (event) {
        if (stored(event.target) && event.target.hasAttribute('data-corvel-mark')) event.target.removeAttribute('data-corvel-mark');
      }, true);
    }

    function onKey(event) {
      if (!(event.ctrlKey || event.metaKey) || event.altKey || event.shiftKey) return undefined;
      const action = { s: saveNow, o: openFile, n: newArticle }[String(event.key).toLowerCase()];
      if (!action) return undefined;
      event.preventDefault();
      action();
      return false;
    }

    const controls = {
      corvelArticles: { name: 'corvelArticles', text: '文章列表', tooltip: '所有文章：打开、重命名、删除、回收站', exec: () => CorvelArticlePanels.showArticleList(panels) },
      corvelNew: { name: 'corvelNew', text: '新建文章', tooltip: '开始一篇新文章，当前文章保留在文章列表中（Ctrl+N）', exec: newArticle },
      corvelHistory: { name: 'corvelHistory', text: '历史', tooltip: '当前文章的历史版本', exec: () => CorvelArticlePanels.showHistory(panels) },
      corvelOpen: { name: 'corvelOpen', text: '打开', tooltip: '打开 Word、网页或文本文件，存为新文章（Ctrl+O）', exec: openFile },
      corvelExport: {
        name: 'corvelExport',
        text: '导出',
        tooltip: '把文章导出为 Word、网页或文本文件',
        popup: (jodit, current, close) => menu(EXPORTS, exportAs, close),
      },
      corvelCopyHtml: { name: 'corvelCopyHtml', text: '复制HTML', tooltip: '复制文章的HTML代码（图片在代码内），可粘贴到发布网站', exec: copyHtml },
    };

    // Runs once the editor exists: the first start moves the old article over.
    async function start(legacyHtml) {
      const editor = api.jodit;
      api.keepVersion = (why) => session.snapshot(why, api.html);
      api.saveNow = session.saveNow;
      api.session = session;
      api.articles = { exportAs: exportAs, openFile: openFile, copyHtml: copyHtml };
      editor.e.on('change', function () {
        session.changed();
        storeImages();
      });
      editor.e.on('keydown', onKey);
      watchStoredImages(editor.ed);
      document.addEventListener('keydown', onKey);
      const flush = () => session.saveNow();
      window.addEventListener('pagehide', flush);
      document.addEventListener('visibilitychange', flush);
      return session.start(legacyHtml);
    }

    return { controls: controls, start: start, session: session, exportAs: exportAs, openFile: openFile, copyHtml: copyHtml };
  }

  root.CorvelArticleCommands = { create: create, describe: describe };
})(self);
