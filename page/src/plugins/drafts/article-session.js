// The article being edited, kept by the program: changes are written through the host after
// a quiet spell (and at once on request), one save at a time; a failed save leaves a notice
// that stays until a later save succeeds, and is tried again by itself.
import { withoutStop } from '../../core/host-bridge.js';
import { textChange } from './text-change.js';

const AUTO_SNAPSHOT_MS = 10 * 60 * 1000;

// deps: host (CorvelHost), timers {setTimeout, clearTimeout, now}, delayMs (the quiet
// spell), maxDelayMs (the longest a change waits while the typing goes on), retryMs,
// board (notice board), describe(html) -> {title, chars} of a text not in the editor,
// view {getHtml(), about() -> {title, chars} of the editor's text (kept up to date as it
// changes, so a save re-reads nothing), load(html) (a new starting point), replace(html)
// (an undoable change)}.
function create(deps) {
  const host = deps.host;
  const timers = deps.timers;
  let current = null; // the article's id, or null while none is open
  let savedHtml = null; // what the host holds for it
  let savedChars = 0; // and its 字数
  let revision = null; // the host's mark for savedHtml, when it still holds that text
  let failing = false;
  let pending = null;
  let firstUnsaved = null; // when the oldest change not yet on its way was made
  let retry = null;
  let lastAuto = -Infinity;
  let queue = Promise.resolve();

  function cancelTimers() {
    if (pending !== null) timers.clearTimeout(pending);
    if (retry !== null) timers.clearTimeout(retry);
    pending = retry = firstUnsaved = null;
  }

  async function write() {
    const id = current;
    const html = deps.view.getHtml();
    if (id === null) return { ok: false, error: '没有打开的文章' };
    if (html === savedHtml && !failing) return { ok: true, unchanged: true };
    // The text as it was before this spell of editing, at most once per ten minutes.
    if (savedHtml && timers.now() - lastAuto >= AUTO_SNAPSHOT_MS) {
      const snap = await host.addSnapshot(id, savedHtml, 'auto', savedChars);
      if (snap.ok) lastAuto = timers.now();
    }
    const about = deps.view.about();
    const result = await send(id, html, about);
    if (id !== current) return result;
    revision = result.ok && result.revision !== undefined ? result.revision : null;
    if (result.ok) {
      savedHtml = html;
      savedChars = about.chars;
      failing = false;
      deps.board.clear('save');
    } else {
      failing = true;
      deps.board.show('save', '文章未能保存：' + withoutStop(result.error) + '。文章仍在编辑器中，程序会继续尝试保存。');
      if (retry === null) {
        retry = timers.setTimeout(function () {
          retry = null;
          save();
        }, deps.retryMs);
      }
    }
    return result;
  }

  // A long article costs the channel tens of milliseconds whole: only what changed goes while
  // the host still holds the text it last acknowledged, and the whole text when it asks again.
  async function send(id, html, about) {
    if (revision !== null && savedHtml !== null) {
      const c = textChange(savedHtml, html);
      const result = await host.saveArticleChange(id, revision, c.at, c.removed, c.inserted, html.length, about.title, about.chars);
      if (!result.resend) return result;
    }
    return host.saveArticle(id, html, about.title, about.chars);
  }

  // Saves are queued so that an older text never overwrites a newer one.
  function save() {
    if (pending !== null) timers.clearTimeout(pending);
    pending = null;
    firstUnsaved = null;
    const next = queue.then(write, write);
    queue = next;
    return next;
  }

  // Makes an opened or created article the current one; rev: the host's mark for html, when
  // it holds that text (an opened article), so that the first save sends only the change.
  function become(id, html, chars, rev) {
    cancelTimers();
    current = id;
    savedHtml = html;
    savedChars = chars || 0;
    revision = rev !== undefined ? rev : null;
    failing = false;
    lastAuto = -Infinity;
    deps.board.clear('save');
    deps.view.load(html);
  }

  // Saves the current article first; a failure there keeps it open, so nothing is lost.
  async function leaveCurrent() {
    if (current === null) return { ok: true };
    return save();
  }

  // answered: the host's answer to openArticle(id), when it was asked before.
  async function open(id, answered) {
    const left = await leaveCurrent();
    if (!left.ok) return left;
    const result = answered || (await host.openArticle(id));
    if (result.ok) become(id, result.html || '', result.chars, result.revision);
    return result;
  }

  // No text and no picture or table: a draft that 新建文章 made and nothing filled.
  const isBlank = (html) => deps.describe(html).chars === 0 && !/<(img|table)\b/i.test(html);

  // A new article; a blank draft being edited takes it instead, so that none is left behind.
  // title: a title of its own (an opened file's name), else the first line. hold(id, html), when
  // given, stores the pictures of `html` in the article and resolves to the HTML that refers to
  // them: the text is saved only then, so that neither the article nor its history ever holds a
  // picture that was not stored.
  async function createArticle(html, title, hold) {
    const left = await leaveCurrent();
    if (!left.ok) return left;
    const about = deps.describe(html);
    const reuse = current !== null && isBlank(deps.view.getHtml());
    const result = reuse ? { ok: true, id: current }
      : await host.createArticle(hold ? '' : html, about.title, hold ? 0 : about.chars);
    if (!result.ok) return result;
    become(result.id, hold ? await hold(result.id, html) : html, about.chars);
    if (reuse || hold) {
      savedHtml = null; // the host still holds the blank or empty text
      const saved = await save();
      if (!saved.ok) return saved;
    }
    if (title || reuse) await host.renameArticle(result.id, title || '');
    return result;
  }

  // The newest draft, or a new empty one when there is none.
  async function openNewest() {
    const list = await host.listArticles();
    if (list.ok && list.articles && list.articles.length) {
      const opened = await open(list.articles[0].id);
      if (opened.ok) return opened;
    }
    return createArticle('');
  }

  // The article the old page kept in localStorage becomes the first draft; it is marked
  // as moved only once the host holds it, so a failure tries again at the next start.
  async function migrate(legacyHtml) {
    if (legacyHtml && legacyHtml.trim() !== '') {
      const about = deps.describe(legacyHtml);
      const made = await host.createArticle(legacyHtml, about.title, about.chars);
      if (!made.ok) {
        deps.board.show('migrate', '原来的文章未能转入文章库：' + withoutStop(made.error) + '。它仍保存在原处，下次启动时再试。');
        return null;
      }
      await host.markMigrated();
      return made.id;
    }
    await host.markMigrated();
    return null;
  }

  // early: what prefetch() asked for, if it was called.
  async function start(legacyHtml, early) {
    const { state, opened: ahead } = early ? await early : { state: await host.state(), opened: null };
    if (!state.ok) {
      deps.board.show('open', '未能读取文章库：' + withoutStop(state.error) + '。');
      return state;
    }
    const migrated = state.migrated ? null : await migrate(legacyHtml);
    const first = migrated || state.currentId;
    if (first) {
      const opened = await open(first, ahead && first === state.currentId ? ahead : null);
      if (opened.ok) return opened;
      deps.board.show('open', '上次的文章未能打开：' + withoutStop(opened.error) + '。已打开最新的文章。');
    }
    return openNewest();
  }

  // A snapshot of the editor's text (before a whole-text change) for the current article.
  // html: the editor's text, when the caller has it at hand (reading it costs a serialization).
  async function snapshot(reason, html) {
    if (current === null) return { ok: false, error: '没有打开的文章' };
    const result = await host.addSnapshot(current, html === undefined ? deps.view.getHtml() : html, reason, deps.view.about().chars);
    if (!result.ok) deps.board.flash('未能保存历史版本：' + withoutStop(result.error) + '。');
    return result;
  }

  // A snapshot's text becomes the current text: the text it replaces is kept first.
  async function restore(html) {
    await snapshot('restore');
    deps.view.replace(html);
    return save();
  }

  // The current draft went to the recycle list: open the newest one left.
  async function forget(id) {
    if (id !== current) return { ok: true };
    cancelTimers();
    current = null;
    return openNewest();
  }

  return {
    start: start,
    // Debounced, but typing without a pause is still written every maxDelayMs, so that a
    // crash never takes more than that and the save's own time.
    changed: function () {
      if (current === null) return;
      if (pending !== null) timers.clearTimeout(pending);
      const now = timers.now();
      if (firstUnsaved === null) firstUnsaved = now;
      const wait = Math.min(deps.delayMs, Math.max(0, firstUnsaved + deps.maxDelayMs - now));
      pending = timers.setTimeout(save, wait);
    },
    saveNow: save,
    open: open,
    create: createArticle,
    snapshot: snapshot,
    restore: restore,
    forget: forget,
    currentId: () => current,
    failing: () => failing,
  };
}

// Asks for the draft to open before the editor exists, in one round trip that overlaps the
// page's own start-up: {state, opened}, where opened is null when start() has to decide (a
// first start that moves the page's old article over, or no current draft).
async function prefetch(host) {
  const both = await host.openCurrent();
  return both.ok ? { state: both.state, opened: both.opened || null } : { state: both, opened: null };
}

// The text start() opens from prefetch()'s answer ('' for an empty draft, which the editor is
// made with as well), or null when it opens another way.
function prefetchedHtml(answer) {
  return answer && answer.opened && answer.opened.ok ? answer.opened.html || '' : null;
}

export { create, prefetch, prefetchedHtml, AUTO_SNAPSHOT_MS };
