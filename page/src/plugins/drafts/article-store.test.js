// The article is written after a quiet spell, and at once when the page goes away.
import test from 'node:test';
import assert from 'node:assert/strict';
import { create, KEY } from './article-store.js';

// A store over a fake storage that logs its writes (and throws while `full`), with a fake
// timer slot that runs only when told to.
function fakeStore() {
  const f = { writes: [], full: false, timer: null };
  const storage = {
    getItem: (k) => (f.writes.findLast(([key]) => key === k) || [k, null])[1],
    setItem: (k, v) => { if (f.full) throw new Error('QuotaExceededError'); f.writes.push([k, v]); },
  };
  f.store = create(storage, { setTimeout: (fn) => (f.timer = fn), clearTimeout: () => (f.timer = null) }, 800);
  return f;
}

test('typing is saved once, after the delay, with the latest text', () => {
  const f = fakeStore();
  f.store.changed('<p>a</p>');
  f.store.changed('<p>ab</p>');
  assert.deepEqual(f.writes, []);
  f.timer();
  assert.deepEqual(f.writes, [[KEY, '<p>ab</p>']]);
  assert.equal(f.store.load(), '<p>ab</p>');
});

test('flush writes a pending change at once; a full storage keeps it for later', () => {
  const f = fakeStore();
  f.full = true;
  f.store.changed('<p>x</p>');
  assert.equal(f.store.flush(), false);
  f.full = false;
  assert.equal(f.store.flush(), true);
  assert.deepEqual(f.writes, [[KEY, '<p>x</p>']]);
  assert.equal(f.timer, null, 'nothing left to write later');
});
