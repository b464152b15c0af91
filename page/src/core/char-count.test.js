// 字数: the one count, the same for the status bar (counted live, per block) and for the
// article list (counted from the saved HTML).
import test from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { bodyOf, fixture, repo, packages } from '../testing/index.js';
import { count, textOf, liveCount } from './char-count.js';
import { describe } from '../plugins/drafts/outgoing.js';

const BREAK = '_ueditor_page_break_tag_';

test('字数 and characters with blanks', () => {
  for (const [text, words, withBlanks] of fixture('word_count').cases) {
    assert.deepEqual(count(text), { words: words, withBlanks: withBlanks }, text);
  }
});

test('the page-break marker and markup do not count', () => {
  const body = bodyOf('<h1>标题</h1><p>　　正文<b>加粗</b></p><p>' + BREAK + '</p>' +
    '<table><tr><td>甲</td><td>乙</td></tr></table><ul><li>项</li></ul>');
  assert.equal(textOf(body, BREAK), '标题\n　　正文加粗\n甲\n乙\n项');
});

// The figures counted from scratch, as the list gets them from the saved HTML.
const fresh = (body) => {
  const n = count(textOf(body, BREAK));
  return { words: n.words, withBlanks: n.withBlanks, title: describe(body.innerHTML, BREAK).title };
};

test('the list and the status bar give one count for real articles', () => {
  for (const name of ['press-release', 'news-page', 'images-captions', 'tables-plain-bordered']) {
    const html = fs.readFileSync(`${repo}tests/page/fixtures/${name}.formatted.html`, 'utf8');
    const body = bodyOf(html);
    assert.equal(describe(html, BREAK).chars, liveCount(body, BREAK).now().words, name);
  }
});

// Each edit changes the article under a live count that has already counted it once.
const EDITS = [
  ['typing inside a paragraph', (b) => { b.querySelector('b').firstChild.nodeValue += '再加 more'; }],
  ['a new first paragraph (the title changes)', (b) => b.insertBefore(b.ownerDocument.createElement('p'), b.firstChild).append('新标题')],
  ['a paragraph removed', (b) => b.querySelector('p').remove()],
  ['a whole new text', (b) => { b.innerHTML = '<p>全新 text</p><div>二<p>三</p></div>'; }],
  ['inline text at the top level joins its neighbour', (b) => b.append('Latin', b.ownerDocument.createElement('span'), 'word')],
  ['a block nested in a top-level inline node', (b) => { b.querySelector('b').innerHTML = '<p>内</p>外'; }],
  ['a page break added', (b) => b.querySelector('p').append(b.ownerDocument.createElement('br'), BREAK)],
];

test('the live count follows each change exactly', () => {
  for (const [what, edit] of EDITS) {
    // jsdom: its mutation records name the node that changed, as browsers' do.
    const { JSDOM } = packages('jsdom');
    const body = new JSDOM('<h1>标题 one</h1><p>　　正文<b>加粗</b>text</p><p>2,000元</p>').window.document.body;
    const live = liveCount(body, BREAK);
    live.now();
    edit(body);
    assert.deepEqual(live.now(), fresh(body), what);
  }
});
