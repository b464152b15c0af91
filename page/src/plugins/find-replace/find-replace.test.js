// Replace-all over the whole article, with full-width and half-width forms as one when asked,
// and finding the next match from the caret round to the start.
import test from 'node:test';
import assert from 'node:assert/strict';
import { bodyOf, fixture } from '../../testing/index.js';
import { replaceAll, findNext } from './find-replace.js';

test('replace-all counts and changes every match in every paragraph, and nothing else', () => {
  for (const [article, needle, replacement, loose, count, expected] of fixture('find_replace').replaceAll) {
    const body = bodyOf(article);
    assert.deepEqual([replaceAll(body, needle, replacement, loose), body.innerHTML], [count, expected], article + ' / ' + needle);
  }
});

test('the next match follows the caret and wraps round', () => {
  const body = bodyOf('<p>甲乙甲</p><p>丙<b>甲</b></p>');
  const [first, , bold] = [body.firstChild.firstChild, null, body.querySelector('b').firstChild];
  const where = (at) => at && [at.node.nodeValue, at.start];
  assert.deepEqual(where(findNext(body, '甲', false, first, 1)), ['甲乙甲', 2]);
  assert.deepEqual(where(findNext(body, '甲', false, first, 3)), ['甲', 0]);
  assert.deepEqual(where(findNext(body, '甲', false, bold, 1)), ['甲乙甲', 0]);
  assert.equal(findNext(body, '丁', false, first, 0), null);
});
