// The dateline after the title and the editor line at the end, with {date} and the caret.
import test from 'node:test';
import assert from 'node:assert/strict';
import { bodyOf, fixture } from '../../testing/index.js';
import * as dateline from './dateline.js';

const table = fixture('dateline');
const caretText = (caret) => caret.block + ':' + caret.offset;

test('each line lands in its place, apart from the body, with the caret where typing goes on', () => {
  const day = new Date(2026, 11, 7);
  const insert = (body, item) => dateline.insertInto(body, item, '　　', day);
  for (const [cases, change] of [[table.cases, insert], [table.editorLines.cases, dateline.appendEditorLine]]) {
    for (const [article, item, expected, caret] of cases) {
      const body = bodyOf(article);
      const at = change(body, item);
      assert.deepEqual([body.innerHTML, caretText(at)], [expected, caret], article + ' + ' + item);
    }
  }
  assert.equal(dateline.chineseDate(new Date(2027, 0, 31)), '2027年1月31日');
});
