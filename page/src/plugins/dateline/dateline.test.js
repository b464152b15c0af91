// The dateline after the title, with {date}.
import test from 'node:test';
import assert from 'node:assert/strict';
import { bodyOf } from '../../testing/index.js';
import * as dateline from './dateline.js';

test('the dateline goes after the title, at the start of the first body paragraph', () => {
  const day = new Date(2026, 11, 7);
  const cases = [
    // [article, dateline, expected]
    ['<h1 style="text-align:center">标题</h1><p>　　正文</p>', '本报讯', '<h1 style="text-align:center">标题</h1><p>　　本报讯正文</p>'],
    ['<p style="text-align:center">标题</p><p>　　正文</p>', '本报讯（{date}）',
      '<p style="text-align:center">标题</p><p>　　本报讯（2026年12月7日）正文</p>'],
    ['<p>正文</p>', '<strong>【本网讯】</strong>', '<p><strong>【本网讯】</strong>正文</p>'],
    ['<h2>小标题</h2><ol><li>项</li></ol><p>　　正文</p>', '{date}{date}', '<h2>小标题</h2><ol><li>项</li></ol><p>　　2026年12月7日2026年12月7日正文</p>'],
    // A block dateline stands before the first body paragraph, after the title.
    ['<h1>标题</h1><p>正文</p>', '<p>电头段</p>', '<h1>标题</h1><p>电头段</p><p>正文</p>'],
    ['', '本报讯', '本报讯'],
  ];
  for (const [article, item, expected] of cases) {
    const body = bodyOf(article);
    dateline.insertInto(body, item, '　　', day);
    assert.equal(body.innerHTML, expected, article);
  }
  assert.equal(dateline.chineseDate(new Date(2027, 0, 31)), '2027年1月31日');
});
