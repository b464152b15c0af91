// 错误更正 counts its changes and leaves no empty paragraph.
import test from 'node:test';
import assert from 'node:assert/strict';
import { bodyOf, fixture } from '../../testing/index.js';
import * as corrections from './corrections.js';
import * as rules from '../../core/rules.js';

test('错误更正 counts its places and tidies what removals leave', () => {
  const correct = rules.corrector('再接再励|||再接再厉\r\n【打印本页】|||\r\n按装|||安装');
  for (const [article, count, expected] of fixture('corrections').cases) {
    const body = bodyOf(article);
    const result = corrections.correctIn(body, correct, '　　');
    assert.equal(result.count, count, article);
    assert.equal(body.innerHTML, expected, article);
  }
  // The reported places cover the new text in the final text nodes.
  const body = bodyOf('<p>　　甲再接再励乙</p><p>【打印本页】</p><p>按装</p>');
  const { hits } = corrections.correctIn(body, correct, '　　');
  const nodes = rules.textNodes(body);
  assert.deepEqual(hits.map((h) => nodes[h.node].nodeValue.slice(h.start, h.end)), ['再接再厉', '安装']);
});
