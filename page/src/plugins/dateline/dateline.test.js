// The dateline after the title, with {date}.
import test from 'node:test';
import assert from 'node:assert/strict';
import { bodyOf, fixture } from '../../testing/index.js';
import * as dateline from './dateline.js';

test('the dateline goes after the title, at the start of the first body paragraph', () => {
  const day = new Date(2026, 11, 7);
  for (const [article, item, expected] of fixture('dateline').cases) {
    const body = bodyOf(article);
    dateline.insertInto(body, item, '　　', day);
    assert.equal(body.innerHTML, expected, article);
  }
  assert.equal(dateline.chineseDate(new Date(2027, 0, 31)), '2027年1月31日');
});
