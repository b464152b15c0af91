// The article list, the recycle list and the history panel, on a DOM, over a fake host.
import test from 'node:test';
import assert from 'node:assert/strict';
import * as panels from './article-panels.js';
import { fakeHost, parseHTML, settle } from '../../testing/index.js';

const DAY = 24 * 60 * 60 * 1000;

// A page, a host holding three drafts (newest last made), and a session stand-in that
// records what it is asked to do.
async function setup() {
  const { document, window } = parseHTML('<!DOCTYPE html><html><body></body></html>');
  const f = fakeHost();
  f.migrated = true;
  for (const title of ['春季新品发布', '公司年会报道', '春节促销']) {
    f.tick(60_000);
    await f.host.createArticle(`<p>${title}</p>`, title, title.length);
  }
  const asked = [];
  let current = 'a3';
  const ask = (name, then = () => {}) => async (arg) => (asked.push([name, arg]), then(arg), { ok: true });
  const session = { currentId: () => current, open: ask('open', (id) => (current = id)), create: ask('create'), forget: ask('forget'), restore: ask('restore') };
  const flashes = [];
  const answers = [];
  const offered = []; // the buttons the notices offered
  const ctx = {
    doc: document, host: f.host, session, board: { flash: (t, ms, action) => (flashes.push(t), action && offered.push(action)) }, now: () => f.now(),
    confirm: async (text) => (asked.push(['confirm', text]), answers.length ? answers.shift() : true),
  };
  const rows = () => [...document.querySelectorAll('.corvel-panel-row')].map((r) => [...r.children].filter((s) => s.className !== 'corvel-panel-actions').map((s) => s.textContent));
  const click = async (rowIndex, caption) => {
    const scope = rowIndex === null ? document.querySelector('.corvel-panel-foot') : document.querySelectorAll('.corvel-panel-row')[rowIndex];
    const button = [...scope.querySelectorAll('button')].find((b) => b.textContent === caption);
    button.dispatchEvent(new window.Event('click'));
    await settle();
  };
  return { f, document, window, ctx, asked, flashes, offered, answers, rows, click };
}

test('the list shows every draft newest first, with time and count, and filters by title and text', async () => {
  const t = await setup();
  await panels.showArticleList(t.ctx).ready;
  const time = (ms) => panels.formatTime(ms);
  const at = (id) => t.f.articles.get(id).meta.modified;
  assert.deepEqual(t.rows(), [
    ['春节促销（正在编辑）', time(at('a3')), '4字'],
    ['公司年会报道', time(at('a2')), '6字'],
    ['春季新品发布', time(at('a1')), '6字'],
  ]);
  const search = t.document.querySelector('.corvel-panel-search');
  await t.f.host.saveArticle('a1', '<p>春季新品发布</p><p>会上宣布<b>年会</b>日期。</p>', '春季新品发布', 13);
  for (const [needle, titles] of [['春', ['春节促销（正在编辑）', '春季新品发布']], ['  年会 ', ['公司年会报道', '春季新品发布']], ['没有', []]]) {
    search.value = needle;
    search.dispatchEvent(new t.window.Event('input'));
    await settle();
    assert.deepEqual(t.rows().map((r) => r[0]), titles, needle);
  }
  assert.equal(t.document.querySelector('.corvel-panel-empty').textContent, '没有相符的文章');
});

test('open, rename and delete from the list', async () => {
  const t = await setup();
  const panel = panels.showArticleList(t.ctx);
  await panel.ready;
  await t.click(2, '打开');
  assert.deepEqual(t.asked.pop(), ['open', 'a1']);
  assert.equal(t.document.querySelector('.corvel-panel'), null, 'the panel closes once the draft is open');

  await panels.showArticleList(t.ctx).ready;
  await t.click(1, '重命名');
  const input = t.document.querySelector('.corvel-panel-rename');
  assert.equal(input.value, '公司年会报道', 'the box starts with the title');
  input.value = '年会';
  await t.click(1, '确定');
  assert.deepEqual(t.f.calls.at(-2), ['renameArticle', 'a2', '年会']);
  assert.equal(t.rows()[1][0], '年会');

  // Deleting the draft being edited moves it to the recycle list and opens another.
  await t.click(2, '删除'); // a1, open now
  assert.deepEqual(t.asked.pop(), ['forget', 'a1']);
  assert.equal(t.f.deleted.has('a1'), true);
  assert.match(t.flashes.at(-1), /已移到回收站，30天内可以恢复/);
  assert.equal(t.rows().length, 2);
  // 撤销 in the notice brings it back, open again.
  const [caption, undo] = t.offered.pop();
  await undo();
  await settle();
  assert.deepEqual([caption, t.f.deleted.has('a1'), t.asked.pop(), t.rows().length], ['撤销', false, ['open', 'a1'], 3]);

  t.f.fail.deleteArticle = '文件夹只读。';
  await t.click(0, '删除');
  assert.equal(t.flashes.at(-1), '未能删除：文件夹只读。');
  assert.equal(t.rows().length, 3, 'nothing moved');
});

test('the recycle list restores within thirty days and empties after asking', async () => {
  const t = await setup();
  await t.f.host.deleteArticle('a1');
  t.f.tick(2 * DAY + 1000);
  await t.f.host.deleteArticle('a2');
  t.f.tick(DAY / 2);
  await panels.showRecycle(t.ctx).ready;
  assert.deepEqual(t.rows().map((r) => [r[0], r[2]]), [['公司年会报道', '还可恢复30天'], ['春季新品发布', '还可恢复28天']]);
  await t.click(1, '恢复');
  assert.equal(t.f.articles.has('a1'), true);
  assert.deepEqual(t.rows().map((r) => r[0]), ['公司年会报道']);

  t.answers.push(false);
  await t.click(null, '清空回收站');
  assert.equal(t.f.deleted.size, 1, 'a no keeps everything');
  await t.click(null, '清空回收站');
  assert.equal(t.f.deleted.size, 0);
  assert.equal(t.document.querySelector('.corvel-panel-empty').textContent, '回收站是空的');
  assert.deepEqual([0, 29.5, 30, 31].map((d) => panels.daysLeft(0, d * DAY)), [30, 1, 0, 0]);
});

test('history lists the snapshots newest first, and restores one after asking', async () => {
  const t = await setup();
  const reasons = [['auto', '<p>一</p>', 1], ['format', '<p>一二</p>', 2], ['correct', '<p>一二三</p>', 3]];
  for (const [reason, html, chars] of reasons) {
    t.f.tick(1000);
    await t.f.host.addSnapshot('a3', html, reason, chars);
  }
  await panels.showHistory(t.ctx).ready;
  assert.deepEqual(t.rows().map((r) => [r[1], r[2]]), [['错误更正前', '3字'], ['一键排版前', '2字'], ['编辑中自动保存', '1字']]);
  assert.match(t.rows()[0][0], /^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d$/, 'snapshots a second apart tell apart');
  t.answers.push(false);
  await t.click(1, '恢复');
  assert.equal(t.asked.at(-1)[0], 'confirm');
  await t.click(1, '恢复');
  assert.deepEqual(t.asked.at(-1), ['restore', '<p>一二</p>']);
  assert.equal(t.document.querySelector('.corvel-panel'), null);
});
