// An in-memory article bridge with the program's contract: results are {ok, ...} or
// {ok:false, error}. `fail[method] = 'reason'` makes that method refuse until cleared;
// `calls` logs every call as [method, ...args].

function fakeHost(start) {
  let clock = 1_700_000_000_000;
  let next = 1;
  const f = {
    articles: new Map(), // id -> {meta, html, snapshots: [{sid, time, reason, chars, html}]}
    deleted: new Map(),
    images: new Map(), // url -> {base64, mime}
    migrated: false,
    currentId: '',
    fail: {},
    calls: [],
    tick: (ms) => (clock += ms),
    now: () => clock,
  };
  const meta = (a) => ({ ...a.meta });
  const refuse = (name) => (f.fail[name] ? { ok: false, error: f.fail[name] } : null);
  const chars = (html) => html.replace(/<[^>]*>/g, '').length;
  // A method on one article, refused when there is no such article.
  const onArticle = (fn) => (id, ...args) => {
    const a = f.articles.get(id);
    return a ? fn(a, id, ...args) : { ok: false, error: '没有这篇文章。' };
  };
  const newestFirst = (map, key) => ({ ok: true, articles: [...map.values()].map(meta).sort((a, b) => b[key] - a[key]) });

  const methods = {
    state: () => ({ ok: true, currentId: f.currentId, migrated: f.migrated, articlesFolder: '/data/articles' }),
    markMigrated: () => ((f.migrated = true), { ok: true }),
    listArticles: () => newestFirst(f.articles, 'modified'),
    createArticle(html, autoTitle) {
      const id = 'a' + next++;
      const m = { id, title: autoTitle, customTitle: false, created: clock, modified: clock, chars: chars(html) };
      f.articles.set(id, { meta: m, html, snapshots: [] });
      f.currentId = id;
      return { ok: true, ...m };
    },
    openArticle: onArticle((a, id) => ((f.currentId = id), { ok: true, ...meta(a), html: a.html })),
    saveArticle: onArticle((a, id, html, autoTitle, count) => {
      a.html = html;
      Object.assign(a.meta, { modified: clock, chars: count }, a.meta.customTitle ? {} : { title: autoTitle });
      return { ok: true, modified: clock };
    }),
    renameArticle: onArticle((a, id, title) => {
      Object.assign(a.meta, { title: title || a.html.replace(/<[^>]*>/g, ''), customTitle: title !== '' });
      return { ok: true };
    }),
    deleteArticle: onArticle((a, id) => {
      f.articles.delete(id);
      f.deleted.set(id, { ...a, meta: { ...a.meta, deleted: clock } });
      return { ok: true };
    }),
    listDeleted: () => newestFirst(f.deleted, 'deleted'),
    restoreArticle(id) {
      const a = f.deleted.get(id);
      if (!a) return { ok: false, error: '回收站中没有这篇文章。' };
      f.deleted.delete(id);
      f.articles.set(id, a);
      return { ok: true };
    },
    emptyRecycle: () => {
      const removed = f.deleted.size;
      f.deleted.clear();
      return { ok: true, removed };
    },
    addSnapshot: onArticle((a, id, html, reason) => {
      const lastAuto = a.snapshots.find((s) => s.reason === 'auto');
      if (reason === 'auto' && lastAuto && clock - lastAuto.time < 600_000) return { ok: true, skipped: true };
      a.snapshots.unshift({ sid: 's' + next++, time: clock, reason, chars: chars(html), html });
      return { ok: true, skipped: false };
    }),
    listSnapshots: onArticle((a) => ({ ok: true, snapshots: a.snapshots.map(({ html, ...s }) => s) })),
    readSnapshot(id, sid) {
      const s = f.articles.get(id) && f.articles.get(id).snapshots.find((x) => x.sid === sid);
      return s ? { ok: true, html: s.html } : { ok: false, error: '没有这个版本。' };
    },
    storeImage(id, base64, mime) {
      // Same bytes, same address: a name from a simple hash of the data.
      let hash = 7;
      for (let i = 0; i < base64.length; i++) hash = (hash * 31 + base64.charCodeAt(i)) >>> 0;
      const url = `corvel-article://${id}/${hash.toString(16)}.${mime.split('/')[1]}`;
      f.images.set(url, { base64, mime });
      return { ok: true, url };
    },
    importLocalImage(id, fileUrl) {
      const file = (start && start.localFiles && start.localFiles[fileUrl]) || null;
      if (!file) return { ok: false, error: '图片文件不存在。' };
      return methods.storeImage(id, file.base64, file.mime);
    },
    readImage(url) {
      const image = f.images.get(url);
      return image ? { ok: true, ...image } : { ok: false, error: '图片文件不存在。' };
    },
    chooseOpenFile: () => (start && start.openFile) || { ok: true, cancelled: true },
    chooseSaveFile(name, kind, data, isBase64) {
      f.saved = { name, kind, data, isBase64 };
      return { ok: true, cancelled: false, path: '/home/user/' + name };
    },
  };

  f.host = {};
  for (const [name, fn] of Object.entries(methods)) {
    f.host[name] = async (...args) => {
      f.calls.push([name, ...args]);
      return refuse(name) || fn(...args);
    };
  }
  return f;
}

// Timers that run only when told to, and a clock shared with the host.
function fakeTimers(host) {
  const t = { due: [] };
  t.setTimeout = (fn, ms) => {
    const entry = { fn, ms, at: host.now() + ms };
    t.due.push(entry);
    return entry;
  };
  t.clearTimeout = (entry) => (t.due = t.due.filter((e) => e !== entry));
  t.now = () => host.now();
  // Runs what is due now, then lets the promises they started settle.
  t.run = async () => {
    const due = t.due;
    t.due = [];
    for (const e of due) e.fn();
    await settle();
  };
  // Moves the clock on by ms, running each timer when its time comes.
  t.advance = async (ms) => {
    const end = host.now() + ms;
    for (;;) {
      const next = t.due.filter((e) => e.at <= end).sort((a, b) => a.at - b.at)[0];
      if (!next) break;
      host.tick(next.at - host.now());
      t.due = t.due.filter((e) => e !== next);
      next.fn();
      await settle();
    }
    host.tick(end - host.now());
  };
  return t;
}

const settle = () => new Promise((resolve) => setTimeout(resolve, 0));

// A plain script as well: the browser tests put it into the page before the page's own scripts.
globalThis.CorvelFakeHost = { fakeHost, fakeTimers, settle };
