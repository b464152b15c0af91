// 广告法用语检查: hits with reasons, exceptions inside ordinary words, the shipped rule file,
// and marks that never reach a copy.
import test from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import * as law from './law-check.js';
import { bodyOf, repo, fixture } from '../../testing/index.js';

const shipped = law.parseRules(fs.readFileSync(`${repo}data/law-terms.txt`, 'utf8'));
const terms = (text, rules = shipped) => law.findHits(text, rules).map((h) => h.term);

test('the shipped list: at least 400 terms in groups, each with its reason and article', () => {
  assert.ok(shipped.terms.size >= 400, `${shipped.terms.size} terms`);
  const kinds = new Set(Array.from(shipped.terms.values(), (t) => t.kind));
  assert.ok(kinds.size >= 7 && !kinds.has(''), Array.from(kinds).join());
  for (const [term, article] of fixture('law-check').kinds) {
    assert.ok(shipped.terms.get(term).reason.includes(article), `${term}: ${shipped.terms.get(term).reason}`);
  }
  // Each term is found on its own: no exception or longer term hides it.
  for (const term of shipped.terms.keys()) assert.deepEqual(terms(term), [term], term);
  for (const word of ['第一季度', '最后']) assert.ok(shipped.exceptions.has(word), word);
  // An exception is only useful if it holds a term.
  for (const word of shipped.exceptions) {
    assert.ok(Array.from(shipped.terms.keys()).some((t) => word.toLowerCase().includes(t.toLowerCase())), word);
  }
});

test('hits and exceptions in text', () => {
  for (const [text, expected] of fixture('law-check').hits) assert.deepEqual(terms(text), expected, text);
});

test('the rule file grammar: reasons, comments, groups, exceptions', () => {
  const rules = law.parseRules('\ufeff# 说明\r\n# 【甲类】\r\n最牛|||不得夸大\r\n 极好 \r\n!极好的\r\n\r\n#最差|||注释\r\n' +
    '# 【乙类】|||乙类的原因\n神药\n仙丹|||自己的原因\n');
  assert.deepEqual(Array.from(rules.terms.keys()), ['最牛', '极好', '神药', '仙丹']);
  assert.equal(rules.terms.get('最牛').reason, '不得夸大');
  assert.equal(rules.terms.get('最牛').kind, '甲类');
  assert.ok(rules.terms.get('极好').reason.length > 0); // a default reason
  assert.deepEqual([rules.terms.get('神药').reason, rules.terms.get('仙丹').reason], ['乙类的原因', '自己的原因']);
  assert.deepEqual(terms('极好的东西极好', rules), ['极好']);
});

test('marks go into the article and never reach a copy', () => {
  const source = '<p>　　我们是<strong>行业第一</strong>，效果最佳。</p><p>第一季度上市</p>' +
    '<p data-corvel-mark="caption-too-long" title="图片配文超过10字">配文</p>';
  const body = bodyOf(source);
  const hits = law.markIn(body, shipped);
  assert.deepEqual(hits.map((h) => [h.term, h.element.getAttribute('title') === h.reason]),
    [['行业第一', true], ['最佳', true]]);
  const marked = body.innerHTML;
  assert.equal(marked.match(/data-corvel-law/g).length, 2);
  // Checking again replaces the marks rather than nesting them.
  law.markIn(body, shipped);
  assert.equal(body.innerHTML, marked);
  // Copy and export: every mark of the page goes, the article is as before.
  const copied = law.stripMarks(marked);
  assert.doesNotMatch(copied, /data-corvel|title=/);
  assert.equal(copied, source.replace(' data-corvel-mark="caption-too-long" title="图片配文超过10字"', ''));
  // The editor's value (saves, preview) loses the law marks and keeps the others.
  assert.equal(law.unmarkHtml(marked), source);
  // A mark the writer edited inside (bold part of it) still unwraps whole.
  for (const strip of [law.stripMarks, law.unmarkHtml]) {
    assert.equal(strip('<p><span data-corvel-law="x" title="r">最<b>佳</b></span>。</p>'), '<p>最<b>佳</b>。</p>');
  }
  // Page-break divider attributes are the page's too.
  assert.equal(law.stripMarks('<p data-corvel-page-break="" contenteditable="false">TAG</p>'), '<p>TAG</p>');
});
