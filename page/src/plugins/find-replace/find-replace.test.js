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
  const [first, bold] = [body.firstChild.firstChild, body.querySelector('b').firstChild];
  const where = (needle, node, offset) => ((at) => at && [at.node.nodeValue, at.start])(findNext(body, needle, false, node, offset));
  assert.deepEqual([where('甲', first, 1), where('甲', first, 3), where('甲', bold, 1), where('丁', first, 0)],
    [['甲乙甲', 2], ['甲', 0], ['甲乙甲', 0], null]);
});
