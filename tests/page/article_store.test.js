// The article is written after a quiet spell, and at once when the page goes away.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { create, KEY } = require('../../page/editor/js/article-store.js');

function fakes() {
  const data = new Map();
  const storage = { getItem: (k) => (data.has(k) ? data.get(k) : null), setItem: (k, v) => data.set(k, v) };
  const due = new Map();
  let next = 1;
  const timers = {
    setTimeout: (fn) => (due.set(next, fn), next++),
    clearTimeout: (id) => due.delete(id),
    runAll: () => { for (const [id, fn] of [...due]) { due.delete(id); fn(); } },
  };
  return { data, storage, timers };
}

test('typing is saved once, after the delay, with the latest text', () => {
  const { data, storage, timers } = fakes();
  const store = create(storage, timers, 800);
  store.changed('<p>a</p>');
  store.changed('<p>ab</p>');
  assert.equal(data.get(KEY), undefined);
  timers.runAll();
  assert.equal(data.get(KEY), '<p>ab</p>');
  assert.equal(store.load(), '<p>ab</p>');
});

test('flush writes a pending change at once; a full storage keeps it for later', () => {
  const { data, storage, timers } = fakes();
  let full = true;
  const setItem = storage.setItem;
  storage.setItem = (k, v) => { if (full) throw new Error('QuotaExceededError'); setItem(k, v); };
  const store = create(storage, timers, 800);
  store.changed('<p>x</p>');
  assert.equal(store.flush(), false);
  full = false;
  assert.equal(store.flush(), true);
  assert.equal(data.get(KEY), '<p>x</p>');
});
