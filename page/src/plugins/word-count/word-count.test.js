// 字数 as Chinese word processors count it.
import test from 'node:test';
import assert from 'node:assert/strict';
import { bodyOf } from '../../testing/index.js';
import * as wordCount from './word-count.js';

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
