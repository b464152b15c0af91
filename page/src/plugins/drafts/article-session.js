// The article being edited, kept by the program: changes are written through the host after
// a quiet spell (and at once on request), one save at a time; a failed save leaves a notice
// that stays until a later save succeeds, and is tried again by itself.
import { withoutStop } from '../../core/host-bridge.js';

const AUTO_SNAPSHOT_MS = 10 * 60 * 1000;

// deps: host (CorvelHost), timers {setTimeout, clearTimeout, now}, delayMs (the quiet
// spell), maxDelayMs (the longest a change waits while the typing goes on), retryMs,
// board (notice board), describe(html) -> {title, chars},
// view {getHtml(), load(html) (a new starting point), replace(html) (an undoable change)}.
function create(deps) {
  const host = deps.host;
  const timers = deps.timers;
  let current = null; // the article's id, or null while none is open
  let savedHtml = null; // what the host holds for it
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
      const snap = await host.addSnapshot(id, savedHtml, 'auto');
      if (snap.ok) lastAuto = timers.now();
    }
    const about = deps.describe(html);
    const result = await host.saveArticle(id, html, about.title, about.chars);
    if (id !== current) return result;
    if (result.ok) {
      savedHtml = html;
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

  // Saves are queued so that an older text never overwrites a newer one.
  function save() {
    if (pending !== null) timers.clearTimeout(pending);
    pending = null;
    firstUnsaved = null;
    const next = queue.then(write, write);
    queue = next;
    return next;
  }

  // Makes `result` (an opened or created article) the current one.
  function become(id, html, asChange) {
    cancelTimers();
    current = id;
    savedHtml = html;
    failing = false;
    lastAuto = -Infinity;
    deps.board.clear('save');
    if (asChange) deps.view.replace(html);
    else deps.view.load(html);
  }

  // Saves the current article first; a failure there keeps it open, so nothing is lost.
  async function leaveCurrent() {
    if (current === null) return { ok: true };
    return save();
  }

  async function open(id) {
    const left = await leaveCurrent();
    if (!left.ok) return left;
    const result = await host.openArticle(id);
    if (result.ok) become(id, result.html || '');
    return result;
  }

  // hold(id, html), when given, stores the pictures of `html` in the new article and resolves
  // to the HTML that refers to them: the article is created empty and its text saved only then,
  // so that neither it nor its history ever holds a picture that was not stored.
  async function createArticle(html, hold) {
    const left = await leaveCurrent();
    if (!left.ok) return left;
    const result = await host.createArticle(hold ? '' : html, deps.describe(html).title);
    if (!result.ok || !hold) {
      if (result.ok) become(result.id, html);
      return result;
    }
    const held = await hold(result.id, html);
    become(result.id, '');
    deps.view.load(held);
    const saved = await save();
    return saved.ok ? result : saved;
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
      const made = await host.createArticle(legacyHtml, deps.describe(legacyHtml).title);
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

  async function start(legacyHtml) {
    const state = await host.state();
    if (!state.ok) {
      deps.board.show('open', '未能读取文章库：' + withoutStop(state.error) + '。');
      return state;
    }
    const migrated = state.migrated ? null : await migrate(legacyHtml);
    const first = migrated || state.currentId;
    if (first) {
      const opened = await open(first);
      if (opened.ok) return opened;
      deps.board.show('open', '上次的文章未能打开：' + withoutStop(opened.error) + '。已打开最新的文章。');
    }
    return openNewest();
  }

  // A snapshot of `html` (the text before a whole-text change) for the current article.
  async function snapshot(reason, html) {
    if (current === null) return { ok: false, error: '没有打开的文章' };
    const result = await host.addSnapshot(current, html, reason);
    if (!result.ok) deps.board.flash('未能保存历史版本：' + withoutStop(result.error) + '。');
    return result;
  }

  // A snapshot's text becomes the current text: the text it replaces is kept first.
  async function restore(html) {
    await snapshot('restore', deps.view.getHtml());
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
    // Debounced, but typing without a pause is still written about once a second, so
    // that a crash never takes more than that.
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

export { create, AUTO_SNAPSHOT_MS };
