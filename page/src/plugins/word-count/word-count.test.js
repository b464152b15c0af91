// 字数 as Chinese word processors count it.
import test from 'node:test';
import assert from 'node:assert/strict';
import { bodyOf, fixture } from '../../testing/index.js';
import * as wordCount from './word-count.js';

test('字数 and characters with blanks', () => {
  for (const [text, words, withBlanks] of fixture('word_count').cases) {
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
