// 错误更正 lists its changes, tidies what removals leave, and undoes each change alone.
import test from 'node:test';
import assert from 'node:assert/strict';
import { bodyOf, fixture } from '../../testing/index.js';
import * as corrections from './corrections.js';
import * as rules from '../../core/rules.js';

const value = (body) => corrections.unmarkHtml(body.innerHTML);

test('错误更正 lists each change, tidies what removals leave, and undoes each alone', () => {
  const correct = rules.corrector('再接再励|||再接再厉\r\n【打印本页】|||\r\n按装|||安装');
  for (const [article, count, expected, listed, undone] of fixture('corrections').cases) {
    const body = bodyOf(article);
    const changes = corrections.correctIn(body, correct, '　　');
    assert.equal(changes.length, count, article);
    assert.equal(value(body), expected, article);
    assert.deepEqual(changes.map((c) => `${c.before} → ${c.after || '（删除）'}`), listed, article);
    for (const change of changes) assert.ok(corrections.undo(change), article);
    assert.equal(value(body), undone, article);
  }
  // A place the writer has changed since is left alone.
  const body = bodyOf('<p>　　按装</p>');
  const [change] = corrections.correctIn(body, correct, '　　');
  change.mark.textContent = '安置';
  assert.equal(corrections.undo(change), false);
  assert.equal(value(body), '<p>　　安置</p>');
});
