// Each profile's output over the real-page corpus: what it must hold (only inline styles and
// allowed elements for 公众号, no links for 新闻源) and what it must keep (every character, every
// table, every picture); and 发稿体检's table of what it must find and must not.
import test from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { repo, fixture, bodyOf } from '../../testing/index.js';
import { readOpenedFile } from '../files/article-files.js';
import { fromOptions } from '../../core/settings.js';
import { processPaste } from '../formatting/paste.js';
import { parseJunkRules } from '../formatting/web-junk.js';
import { parseProfile } from './profiles.js';
import { writeArticle } from './output.js';
import { checkArticle } from './check.js';
import { findContacts } from './contacts.js';
import { embedPictures, pictureFacts } from './pictures.js';
import { parseRules } from '../law-check/law-check.js';

const profile = (key) => parseProfile(fs.readFileSync(`${repo}data/publish-${key}.json`, 'utf8'), key);
const PROFILES = { wechat: profile('wechat'), news: profile('news'), text: profile('text') };
const law = parseRules(fs.readFileSync(`${repo}data/law-terms.txt`, 'utf8'));
const folder = `${repo}tests/page/fixtures/`;
// Our fixtures, and the saved real pages (Chinese news among them) as 打开 puts them in the editor.
const pages = `${repo}tests/data/corpus/pages/`;
const steps = { automatic: (t) => t, junk: parseJunkRules(fs.readFileSync(`${repo}data/web-page-junk.txt`, 'utf8')) };
const opened = await Promise.all(fs.readdirSync(pages).filter((f) => f.endsWith('.html') && !f.endsWith('.expected.html'))
  .map(async (f) => [f, processPaste((await readOpenedFile({ kind: 'html', text: fs.readFileSync(pages + f, 'utf8') })).html, fromOptions(null), steps)]));
const corpus = fs.readdirSync(folder).filter((f) => f.endsWith('.html')).map((f) => [f, fs.readFileSync(folder + f, 'utf8')]).concat(opened);
const elements = (html) => Array.from(bodyOf(html).querySelectorAll('*'));
const textOf = (html) => bodyOf(html).textContent;
// How often each non-blank character occurs.
function characters(text) {
  const counts = new Map();
  for (const c of text.replace(/[\s\u00a0\u3000\u200b\ufeff]/g, '')) counts.set(c, (counts.get(c) || 0) + 1);
  return counts;
}
function assertKeeps(input, output, why) {
  const have = characters(output);
  for (const [c, n] of characters(input)) assert.ok((have.get(c) || 0) >= n, `${why}: “${c}” ${n}× in, ${have.get(c) || 0}× out`);
}
const count = (html, tag) => elements(html).filter((e) => e.localName === tag).length;
const visible = (html) => elements(html).filter((e) => !/^(script|style|template|noscript)$/.test(e.localName));

test('every profile keeps every character, table and picture of the corpus', () => {
  for (const [name, html] of corpus) {
    const hidden = elements(html).filter((e) => /^(script|style|title|head|template|noscript)$/.test(e.localName) || /display\s*:\s*none|mso-hide\s*:\s*all|visibility\s*:\s*hidden/i.test(e.getAttribute('style') || ''));
    const input = textOf(html).replace(new RegExp(hidden.map((e) => e.textContent.replace(/[.*+?^${}()|[\]\\]/g, '\\$&')).filter(Boolean).join('|') || '$^', 'g'), '');
    for (const [key, p] of Object.entries(PROFILES)) {
      const out = writeArticle(html, p);
      assertKeeps(input, out.text + out.removed.map((r) => r.text).join(''), `${name} ${key}`);
      if (out.html === null) continue;
      assert.equal(count(out.html, 'table'), count(html, 'table'), `${name} ${key} tables`);
      const pictures = visible(html).filter((e) => e.localName === 'img' && /^(?!\s*javascript:)./i.test(e.getAttribute('src') || '') && !e.closest('table'));
      assert.equal(count(out.html, 'img'), pictures.length, `${name} ${key} pictures`);
    }
  }
});

test('公众号: allowed elements with inline styles only, outside links as references', () => {
  const p = PROFILES.wechat;
  for (const [name, html] of corpus.concat([['links', '<p>见<a href="https://example.com/a">官网</a>和<a href="https://mp.weixin.qq.com/s/x">旧文</a>，再见<a href="https://example.com/a">官网</a>。</p><div style="display:flex;position:absolute" class="c" id="i">甲</div>']])) {
    const out = writeArticle(html, p);
    for (const el of elements(out.html)) {
      assert.ok(p.allowedElements.includes(el.localName), `${name}: <${el.localName}>`);
      assert.ok(!el.hasAttribute('class') && !el.hasAttribute('id'), `${name}: class or id on <${el.localName}>`);
      assert.doesNotMatch(el.getAttribute('style') || '', /position|flex|grid|float/, name);
      if (el.localName === 'a') assert.match(el.getAttribute('href'), /^https:\/\/mp\.weixin\.qq\.com\//, name);
    }
  }
  const out = writeArticle('<p>见<a href="https://example.com/a">官网</a>和<a href="https://mp.weixin.qq.com/s/x">旧文</a>，再见<a href="https://example.com/a">官网</a>。</p>', p);
  assert.match(out.text, /见官网\[1\]和旧文，再见官网\[1\]。\n参考链接\n\[1\] 官网：https:\/\/example\.com\/a$/);
});

test('公众号: lists one level deep in sections; headings as bold paragraphs', () => {
  const out = writeArticle('<h2>小标题</h2><ol><li>一<ul><li>甲<ul><li>子</li></ul></li></ul></li><li>二</li></ol>', PROFILES.wechat);
  const lists = elements(out.html).filter((e) => /^[ou]l$/.test(e.localName));
  assert.ok(lists.every((l) => !l.parentNode.closest('ol,ul')), out.html);
  assert.deepEqual(elements(out.html).filter((e) => e.localName === 'li').map((li) => li.textContent), ['一', '甲', '子', '二']);
  assert.match(out.html, /^<section style="[^"]+"><p style="[^"]*font-weight:bold[^"]*"><strong>小标题<\/strong><\/p>/);
});

test('新闻源: p, h2, h3, strong, img and table, alignment only, no links; removals listed', () => {
  const p = PROFILES.news;
  const html = '<h1 style="text-align:center;color:red">标题</h1><p style="font-size:20px">访问<a href="https://example.com/">官网</a>或致电 010-88886666。</p><ul><li>一</li></ul>';
  const out = writeArticle(html, p);
  assert.equal(out.html, '<h2 style="text-align:center;">标题</h2><p>访问官网或致电 。</p><p>· 一</p>');
  assert.deepEqual(out.removed, [{ kind: '链接', text: '官网', href: 'https://example.com/' }, { kind: '固定电话', text: '010-88886666' }]);
  for (const [name, page] of corpus) {
    for (const el of elements(writeArticle(page, p).html)) {
      assert.ok(p.allowedElements.includes(el.localName), `${name}: <${el.localName}>`);
      assert.match(el.getAttribute('style') || 'text-align:left;', /^text-align:\w+;$/, name);
    }
  }
});

test('contact details: found, and dates, prices and version numbers left alone', () => {
  for (const [text, expected] of fixture('publish_check').contacts) {
    assert.deepEqual(findContacts(text).map((h) => [h.kind, h.text]), expected, text);
  }
});

test('发稿体检: what each rule must find and must not', () => {
  const expand = (html) => html.replace('REPEAT121', '字'.repeat(121)).replace('REPEATP2000', '<p>正文正文正文。</p>'.repeat(2000))
    .replace('REPEATW2600', '<p>' + 'ab '.repeat(2600) + '</p>');
  for (const c of fixture('publish_check').rules) {
    const rules = checkArticle(expand(c.html), PROFILES[c.profile], law, c.pictures || []).map((f) => f.rule);
    for (const want of c.find) assert.ok(rules.some((r) => r.startsWith(want)), `${c.why}: ${want} not in ${rules}`);
    for (const not of c.notFind) assert.ok(!rules.some((r) => r.startsWith(not)), `${c.why}: ${not} in ${rules}`);
  }
});

test('a finding points at the same appearance of its text in the article', () => {
  const findings = checkArticle('<p>标题</p><p>电话 13800138000，再拨 13800138000</p>', PROFILES.news, law, []);
  assert.deepEqual(findings.filter((f) => f.rule === '联系方式：手机号').map((f) => f.at), [
    { text: '13800138000', occurrence: 0 }, { text: '13800138000', occurrence: 1 }]);
});

test('a profile file with a mistake is refused with a Chinese reason', () => {
  assert.throws(() => parseProfile('{ "name": "x", "writer": "wechat", }', 'a.json'), /发布规定文件 a\.json 格式有误/);
  assert.throws(() => parseProfile('// 说明\n{ "name": "x", "writer": "pdf" }', 'b.json'), /输出方式/);
});

test('stored pictures are converted for the copy and inspected once; others keep their address', async () => {
  const calls = [];
  const host = {
    fitPicture: async (url, width, bytes) => (calls.push(['fit', url, width, bytes]), url.endsWith('bad.png') ? { ok: false } : { ok: true, mime: 'image/jpeg', base64: 'QUJD' }),
    inspectPicture: async (url) => (calls.push(['inspect', url]), { ok: true, format: 'png', bytes: 5, codes: ['weixin://x'] }),
  };
  const html = '<p><img src="corvel-article://a/1.png"><img src="corvel-article://a/bad.png"><img src="data:image/gif;base64,AAAA"><img src="https://example.com/p.jpg"></p>';
  const embedded = await embedPictures(html, host, PROFILES.wechat);
  assert.deepEqual(Array.from(bodyOf(embedded.html).querySelectorAll('img'), (i) => i.getAttribute('src')),
    ['data:image/jpeg;base64,QUJD', 'corvel-article://a/bad.png', 'data:image/gif;base64,AAAA', 'https://example.com/p.jpg']);
  assert.equal(embedded.failed, 1);
  assert.deepEqual(calls.slice(0, 1), [['fit', 'corvel-article://a/1.png', 1080, 1048576]]);
  const facts = await pictureFacts(html, host);
  await pictureFacts(html, host);
  assert.deepEqual(facts.map((f) => f.format), ['png', 'png', 'gif', 'jpeg']);
  assert.equal(calls.filter((c) => c[0] === 'inspect').length, 2);
});
