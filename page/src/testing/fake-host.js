// An in-memory article bridge with the program's contract: results are {ok, ...} or
// {ok:false, error}. `fail[method] = 'reason'` makes that method refuse until cleared;
// `calls` logs every call as [method, ...args].

function fakeHost(start = {}) {
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
    writes: [], // each whole text stored, in order
    forget: () => f.articles.forEach((a) => delete a.revision),
    tick: (ms) => (clock += ms),
    now: () => clock,
  };
  const text = (html) => html.replace(/<[^>]*>/g, '');
  const ok = (more) => ({ ok: true, ...more });
  const no = (error) => ({ ok: false, error });
  // A method on one article, refused when there is no such article.
  const onArticle = (fn) => (id, ...args) => (f.articles.has(id) ? fn(f.articles.get(id), id, ...args) : no('没有这篇文章。'));
  const newestFirst = (map, key) => ok({ articles: [...map.values()].map((a) => ({ ...a.meta })).sort((a, b) => b[key] - a[key]) });

  const methods = {
    state: () => ok({ currentId: f.currentId, migrated: f.migrated, articlesFolder: '/data/articles' }),
    openCurrent() {
      const state = methods.state();
      const opened = f.migrated && f.currentId ? methods.openArticle(f.currentId) : undefined;
      return ok(opened ? { state, opened } : { state });
    },
    markMigrated: () => ((f.migrated = true), ok()),
    listArticles: () => newestFirst(f.articles, 'modified'),
    searchArticles: (needle) => ok({ ids: [...f.articles].filter(([, a]) => text(a.html).toLowerCase().includes(needle.toLowerCase())).map(([id]) => id) }),
    createArticle(html, autoTitle, chars) {
      const id = 'a' + next++;
      const meta = { id, title: autoTitle, customTitle: false, created: clock, modified: clock, chars };
      f.articles.set(id, { meta, html, snapshots: [] });
      f.currentId = id;
      return ok(meta);
    },
    openArticle: onArticle((a, id) => ((f.currentId = id), (a.revision = next++), ok({ ...a.meta, html: a.html, revision: a.revision }))),
    saveArticle: onArticle((a, id, html, autoTitle, chars) => {
      f.writes.push((a.html = html));
      a.revision = next++;
      Object.assign(a.meta, { modified: clock, chars }, a.meta.customTitle ? {} : { title: autoTitle });
      return ok({ modified: clock, revision: a.revision });
    }),
    // Refused with resend unless made against the text last acknowledged (f.forget() drops it).
    saveArticleChange: onArticle((a, id, revision, at, removed, inserted, length, autoTitle, chars) => {
      const html = a.html.slice(0, at) + inserted + a.html.slice(at + removed);
      if (a.revision !== revision || html.length !== length) return { ...no('文章已在别处改动。'), resend: true };
      return methods.saveArticle(id, html, autoTitle, chars);
    }),
    renameArticle: onArticle((a, id, title) => (Object.assign(a.meta, { title: title || text(a.html), customTitle: title !== '' }), ok())),
    deleteArticle: onArticle((a, id) => {
      f.articles.delete(id);
      f.deleted.set(id, { ...a, meta: { ...a.meta, deleted: clock } });
      return ok();
    }),
    listDeleted: () => newestFirst(f.deleted, 'deleted'),
    restoreArticle(id) {
      if (!f.deleted.has(id)) return no('回收站中没有这篇文章。');
      f.articles.set(id, f.deleted.get(id));
      f.deleted.delete(id);
      return ok();
    },
    emptyRecycle() {
      const removed = f.deleted.size;
      f.deleted.clear();
      return ok({ removed });
    },
    addSnapshot: onArticle((a, id, html, reason, chars) => {
      const lastAuto = a.snapshots.find((s) => s.reason === 'auto');
      if (reason === 'auto' && lastAuto && clock - lastAuto.time < 600_000) return ok({ skipped: true });
      a.snapshots.unshift({ sid: 's' + next++, time: clock, reason, chars, html });
      return ok({ skipped: false });
    }),
    listSnapshots: onArticle((a) => ok({ snapshots: a.snapshots.map(({ html, ...s }) => s) })),
    readSnapshot(id, sid) {
      const s = f.articles.get(id)?.snapshots.find((x) => x.sid === sid);
      return s ? ok({ html: s.html }) : no('没有这个版本。');
    },
    storeImage(id, base64, mime) {
      // Same bytes, same address: a name from a simple hash of the data.
      let hash = 7;
      for (let i = 0; i < base64.length; i++) hash = (hash * 31 + base64.charCodeAt(i)) >>> 0;
      const url = `corvel-article://${id}/${hash.toString(16)}.${mime.split('/')[1]}`;
      f.images.set(url, { base64, mime });
      return ok({ url });
    },
    importLocalImage(id, fileUrl) {
      const file = start.localFiles?.[fileUrl];
      return file ? methods.storeImage(id, file.base64, file.mime) : no('图片文件不存在。');
    },
    readImage: (url) => (f.images.has(url) ? ok(f.images.get(url)) : no('图片文件不存在。')),
    chooseOpenFile: () => ok({ cancelled: true }),
    takeOpenedFile: () => ok({ none: true }),
    chooseSaveFile(name, kind, data, isBase64) {
      f.saved = { name, kind, data, isBase64 };
      return ok({ cancelled: false, path: '/home/user/' + name });
    },
    // Printing keeps what the page's print copy held at that moment; pictures are not decoded.
    printPage() {
      f.printed = globalThis.document?.getElementById('corvel-print')?.innerHTML ?? null;
      return ok({ cancelled: false });
    },
    exportPdf(name) {
      methods.printPage();
      f.saved = { name, kind: 'pdf' };
      return ok({ cancelled: false, path: '/home/user/' + name });
    },
    fitPicture: () => no('图片无法转换。'),
    inspectPicture: () => no('图片无法读取。'),
  };

  f.host = {};
  for (const [name, fn] of Object.entries(methods)) {
    f.host[name] = async (...args) => (f.calls.push([name, ...args]), f.fail[name] ? no(f.fail[name]) : fn(...args));
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
  // Moves the clock on to the last timer set so far, running each on its way.
  t.run = () => t.advance(Math.max(0, ...t.due.map((e) => e.at - host.now())));
  return t;
}

const settle = () => new Promise((resolve) => setTimeout(resolve, 0));

// A plain script as well: the browser tests put it into the page before the page's own scripts.
globalThis.CorvelFakeHost = { fakeHost, fakeTimers, settle };
