// The article as a document. With the program's article store: saving through the program
// (Ctrl+S), 新建文章 (Ctrl+N), 文章列表 and 历史; without it the article lives in the page's
// own storage, and 新建文章 clears the editor. 复制HTML and 复制纯文本 either way.
import { parseFragment } from '../../core/html.js';
import { copyToClipboard } from '../../core/clipboard.js';
import { stripMarks } from '../law-check/law-check.js';
import { plainText } from '../formatting/formatter.js';
import * as localStore from './article-store.js';
import * as articleSession from './article-session.js';
import * as panels from './article-panels.js';
import { reason } from '../../core/host-bridge.js';
import { describe, inlined } from './outgoing.js';
import { articleCount } from '../word-count/index.js';

const LOCAL_SAVE_DELAY_MS = 800;
// Typing reaches the disk within half a second, so that a crash, with the save on its way and
// the editor's own 100 ms, loses at most the last second.
const SAVE_DELAY_MS = 300;
const SAVE_MAX_DELAY_MS = 500;
const RETRY_MS = 5000;

function withHost(page) {
  const { host, notices: board, win } = page;
  // The editor is made with the draft that start() opens from prefetch()'s answer: opening it
  // then sets nothing again.
  let madeWith = null;
  page.firstArticle = (answer) => (madeWith = articleSession.prefetchedHtml(answer));
  const session = articleSession.create({
    host: host,
    timers: { setTimeout: setTimeout.bind(win), clearTimeout: clearTimeout.bind(win), now: Date.now },
    delayMs: SAVE_DELAY_MS,
    maxDelayMs: SAVE_MAX_DELAY_MS,
    retryMs: RETRY_MS,
    board: board,
    describe: (html) => describe(html, page.settings.pageBreakTag),
    view: {
      getHtml: () => page.api.html,
      about: function () {
        const n = articleCount(page).now();
        return { title: n.title, chars: n.words };
      },
      load: function (html) {
        const made = html === madeWith;
        madeWith = null;
        if (!made) page.jodit.value = html;
        // An opened article starts its own undo history. The editor made with it starts there
        // already, and clearing it again would re-read the whole article before the first frame.
        if (!made || page.jodit.history.canUndo()) page.jodit.history.clear();
        page.storeImages();
      },
      replace: (html) => page.setArticle(html),
    },
  });
  page.session = session;
  const panelContext = { doc: page.doc, host: host, session: session, board: board, confirm: page.confirm, now: Date.now };
  return {
    session,
    panelContext,
    saveNow: async function () {
      const result = await session.saveNow();
      board.flash(result.ok ? '已保存' : '保存失败：' + reason(result));
    },
    newArticle: async function () {
      const result = await session.create('');
      board.flash(result.ok ? '已新建文章，原来的文章在“文章列表”中。' : '未能新建文章：' + reason(result));
    },
    copyHtml: async function () {
      const body = await inlined(page.api.html, page.host, page.confirm);
      if (body) page.api.copied(copyToClipboard(page.doc, body.innerHTML, body.innerHTML));
    },
  };
}

function pageOnly(page) {
  const store = localStore.create(page.storage, page.win, LOCAL_SAVE_DELAY_MS);
  page.localStore = store;
  return {
    newArticle: function () {
      page.jodit.confirm('确定要清空当前文章吗？清空后可以用“撤销”恢复。', '新建文章', function (yes) {
        if (!yes) return;
        page.setArticle('');
        store.saveNow('');
      });
    },
    copyHtml: function () {
      const html = page.api.cleanHtml();
      page.api.copied(copyToClipboard(page.doc, html, html));
    },
  };
}

export default {
  name: 'corvelDrafts',

  install(page) {
    const api = page.api;
    const drafts = page.host ? withHost(page) : pageOnly(page);
    page.drafts = drafts;
    api.copied = (ok) => page.notices.flash(ok ? '已复制' : '未能复制，请再试一次。');
    api.plainText = () => plainText(parseFragment(page.jodit.value));
    api.copyToClipboard = (html, text) => copyToClipboard(page.doc, html, text);
    const { define } = page.registry;
    define(page.host
      ? { name: 'corvelNew', text: '新建文章', tooltip: '开始一篇新文章，当前文章保留在文章列表中（Ctrl+N）', keys: ['n'], exec: drafts.newArticle }
      : { name: 'corvelNew', text: '新建文章', tooltip: '清空编辑器，开始一篇新文章', exec: drafts.newArticle });
    define(page.host
      ? { name: 'corvelCopyHtml', text: '复制HTML', tooltip: '复制文章的HTML代码（图片在代码内），可粘贴到发布网站', exec: drafts.copyHtml }
      : { name: 'corvelCopyHtml', text: '复制HTML', tooltip: '复制文章的HTML代码，可粘贴到发布网站', exec: drafts.copyHtml });
    define({
      name: 'corvelCopyText',
      text: '复制纯文本',
      tooltip: '复制文章的纯文本',
      exec: () => api.copied(copyToClipboard(page.doc, null, api.plainText())),
    });
    if (!page.host) return;
    define({ name: 'corvelSave', text: '保存', tooltip: '保存文章（Ctrl+S）', keys: ['s'], exec: drafts.saveNow });
    define({
      name: 'corvelArticles',
      text: '文章列表',
      tooltip: '所有文章：打开、重命名、删除、回收站',
      exec: () => panels.showArticleList(drafts.panelContext),
    });
    define({ name: 'corvelHistory', text: '历史', tooltip: '当前文章的历史版本', exec: () => panels.showHistory(drafts.panelContext) });
  },

  // Runs once the editor exists: the program's store opens the current draft (and the first
  // start moves the page's old article over); without it the page's own copy comes back.
  async start(page) {
    const { api, jodit: editor, win, doc } = page;
    const legacy = localStore.create(page.storage, win, LOCAL_SAVE_DELAY_MS);
    if (page.host) {
      const session = page.session;
      api.keepVersion = (why, html) => session.snapshot(why, html);
      api.saveNow = session.saveNow;
      api.session = session;
      api.articles = { copyHtml: page.drafts.copyHtml, panels: panels };
      editor.e.on('change', () => session.changed());
      const flush = () => session.saveNow();
      win.addEventListener('pagehide', flush);
      doc.addEventListener('visibilitychange', flush);
      await session.start(legacy.load(), page.earlyArticle);
      return;
    }
    page.notices.notice('未连接到程序的文章库：文章只保存在本页面中，不能打开、导出或查看历史。');
    const store = page.localStore;
    const saved = store.load();
    if (saved) {
      editor.value = stripMarks(saved); // marks of an earlier check go
      editor.history.clear(); // the restored article is the starting point, not an undo step
    }
    editor.e.on('change', () => store.changed(editor.value));
    const saveNow = () => store.saveNow(editor.value);
    win.addEventListener('beforeunload', saveNow);
    win.addEventListener('pagehide', saveNow);
    doc.addEventListener('visibilitychange', saveNow);
  },
};
