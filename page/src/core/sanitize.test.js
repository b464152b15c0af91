// The sanitizer over hostile HTML, and over what writers need kept (tables in
// tests/page/fixtures/sanitize.json).
import test from 'node:test';
import assert from 'node:assert/strict';
import { bodyOf, fixture } from '../testing/index.js';
import { sanitizeHtml } from './sanitize.js';
import { popupMenu } from './popup-menu.js';

const { hostile: HOSTILE, kept: KEPT, lazy: LAZY } = fixture('sanitize');

test('hostile HTML loses what could run or leave', async (t) => {
  for (const [what, input, banned] of HOSTILE) {
    await t.test(what, () => assert.doesNotMatch(sanitizeHtml(input), new RegExp(banned, 'i')));
  }
});

test('a lazy-loaded picture takes its real address', () => {
  for (const [what, html, expected] of LAZY) assert.equal(sanitizeHtml(html), expected, what);
});

test('what writers need is kept', async (t) => {
  for (const [what, html] of KEPT) {
    await t.test(what, () => assert.equal(sanitizeHtml(html), html));
  }
});

test('settings values in the popup keep their HTML but run no handler', () => {
  const doc = bodyOf('').ownerDocument;
  const items = ['<b>本报讯</b>', '<img src=x onerror="window.ran=1">新华社'].map((v) => [v, v, true]);
  const entries = popupMenu(doc, items, () => {}, () => {}).children;
  assert.equal(entries[0].innerHTML, '<b>本报讯</b>');
  assert.equal(entries[1].innerHTML, '<img src="x">新华社');
});
