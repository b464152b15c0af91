// The article list, the recycle list and an article's history, each a panel over the
// editor. Everything they show comes from the host at the moment they are opened.
import { reason } from '../../core/host-bridge.js';

const DAY_MS = 24 * 60 * 60 * 1000;
const KEEP_DELETED_DAYS = 30;
const UNDO_MS = 8000; // how long 撤销 stays offered after a delete
const REASONS = { auto: '编辑中自动保存', format: '一键排版前', convert: '转换前', correct: '错误更正前', restore: '恢复前' };

function pad(n) {
  return (n < 10 ? '0' : '') + n;
}

// Snapshots come seconds apart (one before each command), so theirs show the seconds.
function formatTime(ms, withSeconds) {
  const d = new Date(ms);
  return d.getFullYear() + '-' + pad(d.getMonth() + 1) + '-' + pad(d.getDate()) + ' ' + pad(d.getHours()) + ':' +
    pad(d.getMinutes()) + (withSeconds ? ':' + pad(d.getSeconds()) : '');
}

function daysLeft(deleted, now) {
  return Math.max(0, Math.ceil((deleted + KEEP_DELETED_DAYS * DAY_MS - now) / DAY_MS));
}

function el(doc, tag, className, text) {
  const node = doc.createElement(tag);
  if (className) node.className = className;
  if (text !== undefined) node.textContent = text;
  return node;
}

function button(doc, text, action) {
  const b = el(doc, 'button', 'corvel-panel-button', text);
  b.type = 'button';
  b.addEventListener('click', action);
  return b;
}

// A panel with a title bar, a scrolling body and a row of buttons at the foot.
function openPanel(ctx, title) {
  const doc = ctx.doc;
  const backdrop = el(doc, 'div', 'corvel-panel-backdrop');
  const box = el(doc, 'div', 'corvel-panel');
  const head = el(doc, 'div', 'corvel-panel-head');
  head.appendChild(el(doc, 'span', 'corvel-panel-title', title));
  const close = function () {
    backdrop.remove();
  };
  head.appendChild(button(doc, '关闭', close));
  const tools = el(doc, 'div', 'corvel-panel-tools');
  const body = el(doc, 'div', 'corvel-panel-body');
  const foot = el(doc, 'div', 'corvel-panel-foot');
  box.append(head, tools, body, foot);
  backdrop.appendChild(box);
  (ctx.container || doc.body).appendChild(backdrop);
  return { root: backdrop, tools: tools, body: body, foot: foot, close: close };
}

function row(doc, cells, actions) {
  const tr = el(doc, 'div', 'corvel-panel-row');
  for (const [className, text] of cells) tr.appendChild(el(doc, 'span', className, text));
  const buttons = el(doc, 'span', 'corvel-panel-actions');
  for (const [text, action] of actions) buttons.appendChild(button(doc, text, action));
  tr.appendChild(buttons);
  return tr;
}

// The list in result[key]; a refusal is shown and gives none.
function listOf(ctx, result, key, what) {
  if (!result.ok) ctx.board.flash('未能读取' + what + '：' + reason(result));
  return result.ok ? result[key] || [] : [];
}

// A row for each item, built aside and put in at once (a thousand drafts stay quick), or
// a line saying that there is none.
function showRows(ctx, panel, items, emptyText, toRow) {
  const rows = ctx.doc.createDocumentFragment();
  for (const item of items) rows.appendChild(toRow(item));
  if (items.length === 0) rows.appendChild(el(ctx.doc, 'div', 'corvel-panel-empty', emptyText));
  panel.body.textContent = '';
  panel.body.appendChild(rows);
}

// The drafts, newest first: search by title, open, rename, delete; the recycle list and a
// new draft from its foot.
function showArticleList(ctx) {
  const doc = ctx.doc;
  const panel = openPanel(ctx, '文章列表');
  const search = el(doc, 'input', 'corvel-panel-search');
  search.setAttribute('placeholder', '搜索标题和正文');
  panel.tools.appendChild(search);
  let articles = [];
  let inText = { needle: '', ids: new Set() }; // the drafts whose text holds the needle, from the host

  const render = function () {
    const needle = search.value.trim().toLowerCase();
    const textHit = (a) => inText.needle === needle && inText.ids.has(a.id);
    const shown = articles.filter((a) => String(a.title || '').toLowerCase().includes(needle) || textHit(a));
    const currentId = ctx.session.currentId();
    showRows(ctx, panel, shown, articles.length ? '没有相符的文章' : '还没有文章', function (a) {
      const current = a.id === currentId;
      const item = row(doc, [
        ['corvel-panel-name', ''],
        ['corvel-panel-time', formatTime(a.modified)],
        ['corvel-panel-chars', a.chars + '字'],
      ], [
        ['打开', () => openOne(a)],
        ['重命名', () => rename(a, item)],
        ['删除', () => remove(a)],
      ]);
      // The marker stands beside the title, so that a long title's ellipsis never hides it.
      const name = item.querySelector('.corvel-panel-name');
      name.appendChild(el(doc, 'span', 'corvel-panel-title-text', a.title || '（无标题）'));
      if (current) name.appendChild(el(doc, 'span', 'corvel-panel-current', '（正在编辑）'));
      item.setAttribute('data-id', a.id);
      return item;
    });
  };
  const refresh = async function () {
    articles = listOf(ctx, await ctx.host.listArticles(), 'articles', '文章列表');
    render();
  };
  const openOne = async function (a) {
    const result = await ctx.session.open(a.id);
    if (result.ok) panel.close();
    else ctx.board.flash('未能打开文章：' + reason(result));
  };
  const rename = function (a, item) {
    const name = item.querySelector('.corvel-panel-name');
    const input = el(doc, 'input', 'corvel-panel-rename');
    input.value = a.title || '';
    input.setAttribute('placeholder', '留空则用文章的第一行作标题');
    const done = async function () {
      const result = await ctx.host.renameArticle(a.id, input.value.trim());
      if (!result.ok) ctx.board.flash('未能重命名：' + reason(result));
      await refresh();
    };
    input.addEventListener('keydown', (event) => {
      if (event.key === 'Enter') done();
      if (event.key === 'Escape') render();
    });
    name.textContent = '';
    name.append(input, button(doc, '确定', done), button(doc, '取消', render));
    if (input.focus) input.focus();
  };
  const remove = async function (a) {
    const result = await ctx.host.deleteArticle(a.id);
    if (!result.ok) {
      ctx.board.flash('未能删除：' + reason(result));
      return;
    }
    const wasCurrent = a.id === ctx.session.currentId();
    ctx.board.flash('“' + (a.title || '（无标题）') + '”已移到回收站，' + KEEP_DELETED_DAYS + '天内可以恢复。', UNDO_MS,
      ['撤销', () => undoRemove(a, wasCurrent)]);
    await ctx.session.forget(a.id);
    await refresh();
  };
  // The draft comes back from the recycle list, and is opened again if it was open.
  const undoRemove = async function (a, wasCurrent) {
    const restored = await ctx.host.restoreArticle(a.id);
    if (!restored.ok) return ctx.board.flash('未能撤销删除：' + reason(restored));
    if (wasCurrent) await ctx.session.open(a.id);
    if (panel.root.isConnected) await refresh();
  };
  // Titles filter at once; the host then looks through the texts.
  const searchText = async function () {
    render();
    const needle = search.value.trim().toLowerCase();
    if (!needle) return;
    const found = await ctx.host.searchArticles(needle);
    if (found.ok && search.value.trim().toLowerCase() === needle) {
      inText = { needle: needle, ids: new Set(found.ids) };
      render();
    }
  };
  search.addEventListener('input', searchText);
  panel.foot.append(
    button(doc, '新建文章', async () => {
      const result = await ctx.session.create('');
      if (result.ok) panel.close();
      else ctx.board.flash('未能新建文章：' + reason(result));
    }),
    button(doc, '回收站', () => {
      panel.close();
      showRecycle(ctx);
    }),
  );
  panel.ready = refresh();
  return panel;
}

// Deleted drafts, newest deleted first, each restorable until its thirty days are over.
function showRecycle(ctx) {
  const doc = ctx.doc;
  const panel = openPanel(ctx, '回收站');
  panel.tools.textContent = '删除的文章在这里保留' + KEEP_DELETED_DAYS + '天，之后自动清除。';
  const refresh = async function () {
    const now = ctx.now();
    const articles = listOf(ctx, await ctx.host.listDeleted(), 'articles', '回收站');
    showRows(ctx, panel, articles, '回收站是空的', function (a) {
      const item = row(doc, [
        ['corvel-panel-name', a.title || '（无标题）'],
        ['corvel-panel-time', '删除于 ' + formatTime(a.deleted)],
        ['corvel-panel-chars', '还可恢复' + daysLeft(a.deleted, now) + '天'],
      ], [['恢复', async () => {
        const restored = await ctx.host.restoreArticle(a.id);
        if (restored.ok) ctx.board.flash('“' + (a.title || '（无标题）') + '”已恢复到文章列表。');
        else ctx.board.flash('未能恢复：' + reason(restored));
        await refresh();
      }]]);
      item.setAttribute('data-id', a.id);
      return item;
    });
  };
  panel.foot.append(
    button(doc, '清空回收站', async () => {
      if (!(await ctx.confirm('回收站中的文章将被永久删除，不能恢复。确定清空吗？'))) return;
      const result = await ctx.host.emptyRecycle();
      if (result.ok) ctx.board.flash('回收站已清空。');
      else ctx.board.flash('未能清空回收站：' + reason(result));
      await refresh();
    }),
    button(doc, '返回文章列表', () => {
      panel.close();
      showArticleList(ctx);
    }),
  );
  panel.ready = refresh();
  return panel;
}

// The current article's snapshots, newest first; any can become the current text.
function showHistory(ctx) {
  const doc = ctx.doc;
  const panel = openPanel(ctx, '历史版本');
  panel.tools.textContent = '排版、转换和更正之前，以及编辑中每十分钟，文章都会存一个版本（保留最近50个）。';
  const id = ctx.session.currentId();
  const refresh = async function () {
    const result = id === null ? { ok: false, error: '没有打开的文章' } : await ctx.host.listSnapshots(id);
    showRows(ctx, panel, listOf(ctx, result, 'snapshots', '历史版本'), '还没有历史版本', function (s) {
      const item = row(doc, [
        ['corvel-panel-time', formatTime(s.time, true)],
        ['corvel-panel-name', REASONS[s.reason] || s.reason],
        ['corvel-panel-chars', s.chars + '字'],
      ], [['恢复', () => restore(s)]]);
      item.setAttribute('data-sid', s.sid);
      return item;
    });
  };
  const restore = async function (s) {
    if (!(await ctx.confirm('用 ' + formatTime(s.time, true) + ' 的版本替换当前文章吗？当前文章会先存为一个历史版本。'))) return;
    const read = await ctx.host.readSnapshot(id, s.sid);
    if (!read.ok) {
      ctx.board.flash('未能读取这个版本：' + reason(read));
      return;
    }
    await ctx.session.restore(read.html || '');
    ctx.board.flash('已恢复 ' + formatTime(s.time, true) + ' 的版本。');
    panel.close();
  };
  panel.ready = refresh();
  return panel;
}

export { showArticleList, showRecycle, showHistory, formatTime, daysLeft };
