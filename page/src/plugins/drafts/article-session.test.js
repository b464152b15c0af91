// The article kept by the program: debounced saves through the host, failed saves shown
// until one succeeds, the old localStorage article moved over once, snapshots, switching.
import test from 'node:test';
import assert from 'node:assert/strict';
import { create, prefetch, AUTO_SNAPSHOT_MS } from './article-session.js';
import { fakeHost, fakeTimers, settle, fixture } from '../../testing/index.js';

// A session over a fake host, with an editor that is just a string and a notice board
// that records what it shows.
function setup(hostStart) {
  const f = fakeHost(hostStart);
  const timers = fakeTimers(f);
  const board = { lasting: new Map(), flash() {} };
  board.show = (k, t) => board.lasting.set(k, t);
  board.clear = (k) => board.lasting.delete(k);
  const describe = (html) => ((text) => ({ title: text.slice(0, 10), chars: text.length }))(html.replace(/<[^>]*>/g, ''));
  const view = { html: '', getHtml: () => view.html, about: () => describe(view.html) };
  view.load = view.replace = (html) => (view.html = html);
  const session = create({ host: f.host, timers, delayMs: 800, maxDelayMs: 1000, retryMs: 5000, board, describe, view });
  const type = (html) => {
    view.html = html;
    session.changed();
  };
  const write = (html) => (type(html), session.saveNow());
  const saves = () => f.writes;
  const current = () => f.articles.get(session.currentId());
  return { f, timers, board, view, session, type, write, saves, current };
}

test('typing is written once after the quiet spell, with title and count', async () => {
  const t = setup();
  await t.session.start(null);
  t.type('<p>一</p>');
  t.type('<p>一二</p>');
  assert.deepEqual(t.saves(), []);
  assert.equal(t.timers.due.length, 1, 'one pending save, restarted by each change');
  assert.equal(t.timers.due[0].ms, 800);
  await t.timers.run();
  assert.deepEqual(t.saves(), ['<p>一二</p>']);
  const meta = t.current().meta;
  assert.deepEqual([meta.title, meta.chars], ['一二', 2]);
  // Nothing new: a second run writes nothing.
  await t.session.saveNow();
  assert.equal(t.saves().length, 1);
});

test('typing without a pause is still written about once a second', async () => {
  const t = setup();
  await t.session.start(null);
  const savedAt = [];
  for (const name of ['saveArticle', 'saveArticleChange']) {
    const save = t.f.host[name];
    t.f.host[name] = (...args) => (savedAt.push(t.f.now()), save(...args));
  }
  const start = t.f.now();
  for (let i = 1; i <= 20; i++) {
    t.type('<p>' + '字'.repeat(i) + '</p>');
    await t.timers.advance(200); // a keystroke every 200 ms, never the quiet spell
  }
  await t.timers.advance(800);
  const gaps = savedAt.map((at, i) => at - (i ? savedAt[i - 1] : start));
  assert.ok(savedAt.length >= 4, `saved ${savedAt.length} times in 4.8 s`);
  assert.ok(gaps.every((g) => g <= 1000), 'gaps ' + gaps.join());
  assert.equal(t.current().html, '<p>' + '字'.repeat(20) + '</p>');
});

test('after the first save only the change goes, and the whole text when the host asks', async (t) => {
  const sent = (s) => s.f.calls.filter((c) => /^saveArticle/.test(c[0])).map((c) => (c[0] === 'saveArticle' ? 'whole' : c.slice(3, 6)));
  // Also inside a long text, where whole blocks are compared.
  const [front, back] = ['<p>' + '字'.repeat(3000) + '</p>', '#'.repeat(3000)];
  const cases = fixture('session_start').changes;
  const long = cases.map(([before, after, at, ...rest]) => [front + before + back, front + after + back, front.length + at, ...rest]);
  for (const [before, after, at, removed, inserted] of [...cases, ...long]) {
    await t.test(`${before.slice(-40)} -> ${after.slice(-40)}`, async () => {
      const s = setup();
      await s.session.start(null);
      for (const html of [before, after]) await s.write(html);
      assert.deepEqual([sent(s), s.current().html], [['whole', [at, removed, inserted]], after]);
      // The host lost the text (a restart, a failed write): the change is refused, the whole text goes.
      s.f.forget();
      for (const html of ['<p>再</p>', '<p>再写</p>']) await s.write(after + html);
      assert.deepEqual(sent(s).slice(2), [[after.length, 0, '<p>再</p>'], 'whole', [after.length + 4, 0, '写']]);
    });
  }
});

test('an opened article sends only its change from the first save on', async () => {
  const s = setup();
  s.f.migrated = true;
  s.f.currentId = (await s.f.host.createArticle('<p>' + '字'.repeat(5000) + '</p>', '字')).id;
  await s.session.start(null);
  await s.write(s.view.html.replace('</p>', '尾</p>'));
  assert.deepEqual(s.f.calls.filter((c) => /^saveArticle/.test(c[0])).map((c) => c[0]), ['saveArticleChange']);
  assert.equal(s.current().html, '<p>' + '字'.repeat(5000) + '尾</p>');
});

test('a failed save stays on show with the reason until a later save succeeds', async () => {
  const t = setup();
  await t.session.start(null);
  t.f.fail.saveArticle = '磁盘已满。';
  t.type('<p>不能丢</p>');
  await t.timers.run();
  assert.match(t.board.lasting.get('save'), /^文章未能保存：磁盘已满。文章仍在编辑器中/);
  assert.equal(t.session.failing(), true);
  // The next change does not clear it while the disk is still full.
  t.type('<p>不能丢！</p>');
  await t.timers.run();
  assert.ok(t.board.lasting.has('save'));
  const result = await t.session.saveNow();
  assert.deepEqual(result, { ok: false, error: '磁盘已满。' }, 'Ctrl+S reports the failure, not success');
  // The disk is back: the retry writes the latest text and the notice goes.
  delete t.f.fail.saveArticle;
  assert.ok(t.timers.due.some((e) => e.ms === 5000), 'a retry is pending');
  await t.timers.run();
  assert.equal(t.board.lasting.has('save'), false);
  assert.equal(t.current().html, '<p>不能丢！</p>');
});

test('saves run one at a time, so an older text never lands after a newer one', async () => {
  const t = setup();
  await t.session.start(null);
  let release;
  const slow = t.f.host.saveArticle;
  t.f.host.saveArticle = (...args) => new Promise((resolve) => (release = () => resolve(slow(...args))));
  t.view.html = '<p>旧</p>';
  const first = t.session.saveNow();
  await settle(); // the first write is on its way
  t.view.html = '<p>新</p>';
  const second = t.session.saveNow();
  await settle();
  t.f.host.saveArticle = slow;
  release();
  await Promise.all([first, second]);
  assert.deepEqual(t.saves(), ['<p>旧</p>', '<p>新</p>']);
  assert.equal(t.current().html, '<p>新</p>');
});

test('first start after the upgrade: the old article becomes the first draft', async (t) => {
  for (const [name, legacy, failure, htmls, migrated, notice] of fixture('session_start').migrations) {
    await t.test(name, async () => {
      const s = setup();
      if (failure) s.f.fail.createArticle = failure;
      await s.session.start(legacy);
      assert.deepEqual([...s.f.articles.values()].map((a) => a.html), htmls);
      assert.equal(s.f.migrated, migrated);
      assert.equal(s.board.lasting.has('migrate'), notice);
      if (htmls.length) assert.equal(s.view.html, htmls[0]);
    });
  }
  await t.test('after the move, the old article is not moved again', async () => {
    const s = setup();
    await s.session.start('<p>旧文章</p>');
    const id = s.session.currentId();
    const s2 = setup(); // the same store, a new page load
    Object.assign(s2.f, { articles: s.f.articles, migrated: true, currentId: id });
    await s2.session.start('<p>旧文章</p>');
    assert.equal(s2.f.articles.size, 1);
    assert.equal(s2.session.currentId(), id);
  });
});

test('start opens the last article, else the newest, else a new one', async () => {
  const t = setup();
  t.f.migrated = true;
  await t.f.host.createArticle('<p>旧的</p>', '旧的');
  t.f.tick(1000);
  const newer = await t.f.host.createArticle('<p>新的</p>', '新的');
  t.f.currentId = 'gone';
  await t.session.start(null);
  assert.equal(t.session.currentId(), newer.id);
  assert.match(t.board.lasting.get('open'), /上次的文章未能打开/);
});

test('the last article asked for before the editor exists opens without asking again', async (t) => {
  // [name, old article in the page, last article's id or null, opened text, openArticle calls after start]
  const cases = [
    ['the last article', null, 'last', '<p>上次</p>', 0],
    ['the last one is gone: the newest', null, 'gone', '<p>上次</p>', 1],
    ['a first start still moves the old article', '<p>旧文章</p>', null, '<p>旧文章</p>', 1],
  ];
  for (const [name, legacy, current, html, later] of cases) {
    await t.test(name, async () => {
      const s = setup();
      s.f.migrated = legacy === null;
      const made = await s.f.host.createArticle('<p>上次</p>', '上次');
      s.f.currentId = current === 'last' ? made.id : current;
      const early = prefetch(s.f.host);
      await early;
      let calls = 0;
      const openArticle = s.f.host.openArticle;
      s.f.host.openArticle = (...args) => (calls++, openArticle(...args));
      await s.session.start(legacy, early);
      assert.equal(s.view.html, html);
      assert.equal(calls, later);
    });
  }
});

test('switching saves the current article first, and stays put when that fails', async () => {
  const t = setup();
  await t.session.start(null);
  const first = t.session.currentId();
  t.type('<p>第一篇</p>');
  const made = await t.session.create('<p>第二篇</p>');
  assert.equal(made.ok, true);
  assert.equal(t.f.articles.get(first).html, '<p>第一篇</p>', 'saved before leaving');
  assert.equal(t.view.html, '<p>第二篇</p>');
  t.type('<p>第二篇改</p>');
  t.f.fail.saveArticle = '磁盘已满。';
  const opened = await t.session.open(first);
  assert.equal(opened.ok, false);
  assert.notEqual(t.session.currentId(), first);
  assert.equal(t.view.html, '<p>第二篇改</p>', 'the unsaved text stays in the editor');
});

test('a blank draft takes the next new or opened article, so none is left behind', async () => {
  const t = setup();
  await t.session.start(null);
  const blank = t.session.currentId();
  // 新建文章 then 打开: the file goes into the blank draft, under the file's name.
  await t.session.create('<p>文件正文</p>', '季度报告');
  assert.deepEqual([t.session.currentId(), t.f.articles.size, t.current().html, t.current().meta.title],
    [blank, 1, '<p>文件正文</p>', '季度报告']);
  // A draft with text is kept; a blank one given no title takes its first line again.
  await t.session.create('');
  assert.equal(t.f.articles.size, 2);
  t.type('<p><br></p>');
  await t.session.create('<p>第三篇</p>');
  assert.deepEqual([t.f.articles.size, t.current().meta.title, t.current().meta.customTitle], [2, '第三篇', false]);
});

test('an opened file is saved only once its pictures are held, and never into history', async () => {
  const t = setup();
  await t.session.start(null);
  const picture = '<img src="data:image/png;base64,AAAA">';
  let heldIn = null;
  const hold = async (id, html) => ((heldIn = [id, html, t.saves().length]), html.replace(/data:[^"]*/, 'corvel-article://x/1.png'));
  const made = await t.session.create('<p>来稿</p>' + picture, '', hold);
  assert.deepEqual(heldIn, [made.id, '<p>来稿</p>' + picture, 0]);
  assert.equal(t.current().html, '<p>来稿</p><img src="corvel-article://x/1.png">');
  await t.timers.advance(AUTO_SNAPSHOT_MS);
  assert.deepEqual(t.f.calls.filter((c) => /data:/.test(c.join())), [], 'the host is never handed the data: picture');
});

test('the text before a spell of editing is kept at most once per ten minutes', async () => {
  const t = setup();
  await t.session.start(null);
  const snaps = () => t.current().snapshots.map((s) => [s.reason, s.html]);
  t.type('<p>一</p>');
  await t.timers.run();
  assert.deepEqual(snaps(), [], 'an empty article has nothing to keep');
  t.type('<p>一二</p>');
  await t.timers.run();
  t.f.tick(60_000);
  t.type('<p>一二三</p>');
  await t.timers.run();
  assert.deepEqual(snaps(), [['auto', '<p>一</p>']]);
  t.f.tick(AUTO_SNAPSHOT_MS);
  t.type('<p>一二三四</p>');
  await t.timers.run();
  assert.deepEqual(snaps()[0], ['auto', '<p>一二三</p>']);
  // A snapshot the host refused does not count: the next spell tries again.
  t.f.tick(AUTO_SNAPSHOT_MS);
  t.f.fail.addSnapshot = '磁盘已满。';
  t.type('<p>五</p>');
  await t.timers.run();
  delete t.f.fail.addSnapshot;
  t.f.tick(60_000);
  t.type('<p>六</p>');
  await t.timers.run();
  assert.deepEqual(snaps().slice(0, 2), [['auto', '<p>五</p>'], ['auto', '<p>一二三</p>']]);
});

test('restoring a snapshot keeps the replaced text first; forgetting the current draft opens the newest', async () => {
  const t = setup();
  await t.session.start(null);
  const id = t.session.currentId();
  t.type('<p>现在的</p>');
  await t.session.restore('<p>以前的</p>');
  const a = t.f.articles.get(id);
  assert.deepEqual([a.snapshots[0].reason, a.snapshots[0].html], ['restore', '<p>现在的</p>']);
  assert.equal(a.html, '<p>以前的</p>');

  const other = await t.f.host.createArticle('<p>另一篇</p>', '另一篇');
  await t.f.host.deleteArticle(id);
  await t.session.forget(id);
  assert.equal(t.session.currentId(), other.id);
  assert.equal(t.view.html, '<p>另一篇</p>');
  assert.equal(t.saves().filter((h) => h === '<p>以前的</p>').length, 1, 'nothing written to the deleted draft');
});
