// The editor page's start-up: reads web.ini and the rule files on every load, installs each
// feature's commands and Jodit plugin, builds the editor with the chosen toolbar set, and keeps
// the article safe across reloads. esbuild bundles this into one classic script: the portable
// layout loads the page from file://, where Chromium refuses module scripts (opaque origin),
// and the installed one from corvel-page://; one bundle behaves the same in both.
//
// index.html loads this bundle before Jodit's script (see boot()).
//
// Globals the page keeps: window.corvelEditor (the editor and its commands, for the program's
// tests and benchmarks), window.CorvelHost (the program's article bridge; tests put a fake one
// there before the page runs), and window.CorvelPage (the toolbar sets, the text loader and
// mammoth, for the program's tests and for benchmark pages that do not start the editor).
import { jodit as joditLibrary, mammoth } from './core/vendor.js';
import { createRegistry, attachHotkeys } from './core/commands.js';
import * as noticeBoard from './core/notices.js';
import * as toolbars from './core/toolbars.js';
import { loadText } from './core/text-loader.js';
import { connect, errorText } from './core/host-bridge.js';
import { loadSettings, loadRules } from './core/page-settings.js';
import { textSteps } from './core/text-steps.js';
import { editorOptions } from './core/editor-options.js';
import { sanitizeHtml } from './core/sanitize.js';
import * as layout from './core/layout.js';
import * as articleStore from './plugins/drafts/article-store.js';
import { prefetch as prefetchArticle } from './plugins/drafts/article-session.js';
import { rememberedStandard } from './plugins/conversion/standard.js';
import formatting from './plugins/formatting/index.js';
import corrections from './plugins/corrections/index.js';
import lawCheck from './plugins/law-check/index.js';
import conversion from './plugins/conversion/index.js';
import dateline from './plugins/dateline/index.js';
import drafts from './plugins/drafts/index.js';
import pictures from './plugins/pictures/index.js';
import files from './plugins/files/index.js';
import wordCount from './plugins/word-count/index.js';
import findReplace from './plugins/find-replace/index.js';
import publish from './plugins/publish/index.js';

// In the order they install; later ones use what earlier ones put on the page.
const FEATURES = [formatting, lawCheck, corrections, conversion, dateline, drafts, pictures, files, wordCount, findReplace, publish];

// Without Jodit the article is still editable and saved in the page.
function fallbackEditor(page) {
  page.notices.notice('编辑器组件未能加载，请重新安装程序。文章仍会自动保存。');
  const store = articleStore.create(page.storage, page.win, 800);
  const area = page.doc.getElementById('editor');
  area.outerHTML = '<div id="editor" class="corvel-fallback" contenteditable="true"></div>';
  const fallback = page.doc.getElementById('editor');
  fallback.innerHTML = sanitizeHtml(store.load() || '');
  fallback.addEventListener('input', () => store.changed(fallback.innerHTML));
  Object.defineProperty(page.api, 'html', { get: () => fallback.innerHTML });
  page.win.addEventListener('pagehide', () => store.saveNow(fallback.innerHTML));
}

// Start-up milestones on the page's timeline, for the start-up benchmark's breakdown.
function mark(win, name) {
  if (win.performance && win.performance.mark) win.performance.mark('corvel:' + name);
}

// early: what boot() asked for before Jodit's script arrived ({hostReady, settingsReady,
// earlyArticle}).
async function start(win, early, board) {
  const doc = win.document;
  const notice = board.notice;
  mark(win, 'start');
  const hostReady = early.hostReady;
  const loaded = await early.settingsReady;
  mark(win, 'settings');
  const s = loaded.settings;
  const api = {
    jodit: null,
    toolbarSet: toolbars.setName(s.toolbars),
    settings: s,
    notices: board.list,
    board: board,
    keepVersion: function () {},
    tools: {},
    articles: {},
    ready: false,
  };
  win.corvelEditor = api;
  let painted;
  const page = {
    win, doc, api, loaded,
    settings: s,
    storage: win.localStorage,
    notices: board,
    tools: api.tools,
    registry: createRegistry(),
    joditOptions: {}, // Jodit options that features set
    host: await hostReady,
    earlyArticle: early.earlyArticle,
    jodit: null,
    setArticle: (html) => {
      page.jodit.value = html; // one change, one undo step
    },
    // html: the article as it stands, when the caller has just read it.
    keepVersion: (why, html) => api.keepVersion(why, html),
    confirm: (text) => new Promise((resolve) => page.jodit.confirm(text, '请确认', (yes) => resolve(!!yes))),
    // Resolves after the first frame that shows the ready editor: what that frame does not
    // need (the rule files, the publishing profiles) waits for it.
    painted: new Promise((resolve) => (painted = resolve)),
  };
  api.setArticle = page.setArticle;
  // The rule files are read after the first frame, which does not need them; what uses them
  // waits for them (withRules), at once when they are in.
  let rulesIn = false;
  page.rulesRead = page.painted.then(() => loadRules(loaded, notice)).then(() => {
    rulesIn = true;
  });
  page.withRules = (fn) => (rulesIn ? fn() : page.rulesRead.then(fn));
  page.steps = textSteps(loaded, rememberedStandard(win.localStorage), notice, page.rulesRead);

  mark(win, 'host');
  const Jodit = joditLibrary();
  if (!Jodit) return fallbackEditor(page);

  for (const feature of FEATURES) feature.install(page);
  for (const feature of FEATURES) {
    if (feature.plugin && !Jodit.plugins.get(feature.name)) {
      Jodit.plugins.add(feature.name, function (jodit) {
        feature.plugin(jodit, page);
      });
    }
  }
  const buttons = toolbars.buttonsFor(s.toolbars).filter((b) => page.host || !toolbars.DOCUMENTS.includes(b));
  const options = Object.assign(editorOptions(Jodit, s, toolbars.asGroups(buttons), page.registry.controls()), page.joditOptions);
  const area = doc.getElementById('editor');
  options.height = layout.initialHeight(area, s.frameHeight, page.storage);
  // The draft about to be opened is what the editor is made with: one value and one layout, not
  // an empty editor and then a second value. Its answer is a round trip behind web.ini, and
  // waiting for it costs less than setting the draft after.
  const first = page.firstArticle ? page.firstArticle(await page.earlyArticle) : null;
  if (first) area.value = sanitizeHtml(first);
  mark(win, 'features');
  const editor = Jodit.make('#editor', options);
  mark(win, 'jodit');
  page.jodit = editor;
  api.jodit = editor;
  Object.defineProperty(api, 'html', { get: () => editor.value });
  api.fit = layout.attach(editor, s.frameHeight, page.storage);
  attachHotkeys(page.registry, editor, doc);
  for (const feature of FEATURES) {
    if (feature.start) await feature.start(page);
    mark(win, feature.name);
  }
  api.fit();
  mark(win, 'ready');
  api.ready = true;
  // The first frame that shows the ready editor. Only then does the conversion library (a
  // megabyte of script) load: started sooner, its reading can take that frame's turn. settled
  // tells the program's tests.
  win.requestAnimationFrame(() => {
    const channel = new win.MessageChannel();
    channel.port1.onmessage = () => {
      mark(win, 'painted');
      api.painted = true;
      painted();
      page.steps.whenReady(() => (api.settled = true));
    };
    channel.port2.postMessage(0);
  });
}

// The page loads this script before Jodit's: the settings, the channel to the program and the
// draft to open are asked for here, and arrive while Jodit's script is read; the editor is
// built once the document (and Jodit with it) is there.
function boot(win) {
  win.CorvelPage = { toolbars: toolbars, loadText: loadText, mammoth: mammoth };
  const box = win.document.getElementById('corvel-notices');
  if (!box) return; // a bare page that only wants CorvelPage
  const board = noticeBoard.create(box, win);
  const hostReady = win.CorvelHost ? Promise.resolve(win.CorvelHost) : connect(win);
  const early = {
    hostReady: hostReady,
    settingsReady: loadSettings(board.notice),
    earlyArticle: hostReady.then((host) => (host ? prefetchArticle(host) : null)),
  };
  const go = function () {
    start(win, early, board).catch(function (error) {
      board.notice('编辑器启动出错：' + errorText(error));
    });
  };
  if (win.document.readyState === 'loading') win.addEventListener('DOMContentLoaded', go);
  else go();
}

if (typeof window !== 'undefined' && typeof document !== 'undefined') boot(window);

// The benchmarks build their plain Jodit page from the features' own commands.
export { FEATURES };
