// One-click formatting on real-looking pasted HTML: the result is a clean article that keeps
// its structure, and formatting it again changes nothing.
import test from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import * as formatter from './formatter.js';
import * as law from '../law-check/law-check.js';
import * as rules from '../../core/rules.js';
import * as punctuation from './punctuation.js';
import { parseJunkRules } from './web-junk.js';
import { bodyOf, repo, fixture } from '../../testing/index.js';

const read = (file) => fs.readFileSync(`${repo}tests/page/${file}`, 'utf8');
const corrections = rules.corrector(read('../../data/redundant.txt'));

const BASE = {
  paragraphBeforeBlank: '\u3000\u3000', imageJustify: 'center', captionJustify: 'center', captionMaxLength: 40,
  captionEndSign: '。', retainBold: true, pageBreakTag: '_ueditor_page_break_tag_', transformText: null,
  punctuate: punctuation.fix, junk: parseJunkRules(read('../../data/web-page-junk.txt')),
};

function format(html, options) {
  const opts = { ...BASE, ...options };
  const once = formatter.formatNode(bodyOf(html), opts);
  const twice = formatter.formatNode(bodyOf(once), opts);
  assert.equal(twice, once, 'formatting twice changes nothing');
  return once;
}

// Each fixture's input beside its formatted result, one top-level element a line; options in
// formatter_options.json.
test('pasted articles become clean articles that keep their structure', async (t) => {
  const { options } = fixture('formatter_options');
  const names = fs.readdirSync(`${repo}tests/page/fixtures`).filter((f) => f.endsWith('.formatted.html'));
  assert.ok(names.length >= 12, names.join());
  for (const name of names.map((f) => f.replace('.formatted.html', ''))) {
    await t.test(name, () => {
      const { corrections: correct, ...rest } = options[name] || {};
      const html = format(read(`fixtures/${name}.html`), { ...rest, transformText: correct ? corrections : null });
      assert.equal(html, read(`fixtures/${name}.formatted.html`).replace(/\n/g, ''));
      // The marks are the page's own: copying the article leaves them out.
      assert.doesNotMatch(law.stripMarks(html), /data-corvel-mark|title=/);
    });
  }
});

test('settings change the result', () => {
  const { source, cases } = fixture('formatter_options').settings;
  for (const [options, expected] of cases) assert.ok(format(source, options).includes(expected), JSON.stringify(options));
  // The page-break marker stays a bare line, without the indent.
  assert.ok(format(source, {}).endsWith('<p>_ueditor_page_break_tag_</p>'));
});

// 一键排版 reads the editor's own nodes, which carry what the value leaves out: check marks
// around words, the page-break divider's attributes, Jodit's selection markers.
test("the editor's marks and decorations leave the result as the value gives it", () => {
  const plain = '<p>　　本品<b>销量</b>第一，效果最佳。</p><p>_ueditor_page_break_tag_</p><p>第二段</p>';
  const shown = '<p>　　本品<b>销量</b><span data-corvel-law="极限词" title="广告法：极限词">第一</span>，效果最佳。' +
    '<span id="jodit-selection_marker_1" data-jodit-selection_marker="start" style="line-height:0;display:none"></span></p>' +
    '<p data-corvel-page-break="" contenteditable="false">_ueditor_page_break_tag_</p>' +
    '<p><span data-corvel-fix="" title="已更正">第二段</span></p>';
  assert.equal(format(shown), format(plain));
});

test('counting and plain text', () => {
  assert.equal(formatter.countChars('中文 字数\u3000统计\n😀a'), 8);
  assert.equal(
    formatter.plainText(bodyOf('<p>　　第一段</p><p><img src="a.png"></p><p>&nbsp;</p><p>第二段 <b>粗</b></p>' +
      '<table><tr><td>格甲</td><td>格乙</td></tr></table>')),
    '　　第一段\n第二段 粗\n格甲\n格乙',
  );
});
