// The article-wide helpers: 字数 as Chinese word processors count, the dateline after the
// title with {date}, and 错误更正 that counts its changes and leaves no empty paragraph.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { parseHTML } = require('linkedom');
const wordCount = require('../../page/editor/js/word-count.js');
const dateline = require('../../page/editor/js/dateline.js');
const corrections = require('../../page/editor/js/corrections.js');
const rules = require('../../page/editor/js/rules.js');

const bodyOf = (html) => parseHTML(`<!DOCTYPE html><html><body>${html}</body></html>`).document.body;

test('字数 and characters with blanks', () => {
  const cases = [
    // [text, words, characters with blanks]
    ['中文字数', 4, 4],
    ['你好，世界！', 6, 6], // full-width punctuation counts
    ['“引号”……——', 8, 8],
    ['Hello world', 2, 11], // a Latin word is one
    ['售价1,999元', 4, 8], // so is a number, separators and all
    ['邮箱 a.b@example.com 联系', 5, 21],
    ['　　首行缩进', 4, 6], // the full-width indent is a blank
    ['😀 emoji', 2, 7],
    ['第一行\n第二行', 6, 6], // line breaks are no characters
    ['', 0, 0],
  ];
  for (const [text, words, withBlanks] of cases) {
    assert.deepEqual(wordCount.count(text), { words: words, withBlanks: withBlanks }, text);
  }
});

test('the page-break marker and markup do not count', () => {
  const body = bodyOf('<h1>标题</h1><p>　　正文<b>加粗</b></p><p>_ueditor_page_break_tag_</p>' +
    '<table><tr><td>甲</td><td>乙</td></tr></table><ul><li>项</li></ul>');
  const text = wordCount.textOf(body, '_ueditor_page_break_tag_');
  assert.equal(text, '标题\n　　正文加粗\n甲\n乙\n项');
  assert.equal(wordCount.count(text).words, 9);
});

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

test('错误更正 counts its places and tidies what removals leave', () => {
  const correct = rules.corrector('再接再励|||再接再厉\r\n【打印本页】|||\r\n按装|||安装');
  const cases = [
    // [article, count, expected]
    ['<p>　　我们再接再励，再接再励</p>', 2, '<p>　　我们再接再厉，再接再厉</p>'],
    ['<p>　　正文</p><p>【打印本页】</p><p>　　尾</p>', 1, '<p>　　正文</p><p>　　尾</p>'],
    ['<p>　　【打印本页】　　按装说明</p>', 2, '<p>　　安装说明</p>'],
    ['<p><img src="a.png">【打印本页】</p>', 1, '<p><img src="a.png"></p>'], // an image is content
    ['<p>　　没有错误</p><p></p>', 0, '<p>　　没有错误</p><p></p>'], // nothing changed, nothing touched
  ];
  for (const [article, count, expected] of cases) {
    const body = bodyOf(article);
    const result = corrections.correctIn(body, correct, '　　');
    assert.equal(result.count, count, article);
    assert.equal(body.innerHTML, expected, article);
  }
  // The reported places cover the new text in the final text nodes.
  const body = bodyOf('<p>　　甲再接再励乙</p><p>【打印本页】</p><p>按装</p>');
  const { hits } = corrections.correctIn(body, correct, '　　');
  const nodes = corrections.textNodes(body);
  assert.deepEqual(hits.map((h) => nodes[h.node].nodeValue.slice(h.start, h.end)), ['再接再厉', '安装']);
});
