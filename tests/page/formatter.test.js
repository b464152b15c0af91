// One-click formatting on real-looking pasted HTML: the result is a clean article, and
// formatting it again changes nothing.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const { parseHTML } = require('linkedom');
const formatter = require('../../page/editor/js/formatter.js');
const rules = require('../../page/editor/js/rules.js');

const read = (file) => fs.readFileSync(`${__dirname}/${file}`, 'utf8');
const bodyOf = (html) => parseHTML(`<!DOCTYPE html><html><body>${html}</body></html>`).document.body;

const BASE = {
  paragraphBeforeBlank: '\u3000\u3000', imageJustify: 'center', captionJustify: 'center', captionMaxLength: 40,
  captionEndSign: '。', retainBold: true, pageBreakTag: '_ueditor_page_break_tag_', transformText: null,
};

function format(html, options) {
  const opts = { ...BASE, ...options };
  const once = formatter.formatNode(bodyOf(html), opts);
  const twice = formatter.formatNode(bodyOf(once), opts);
  assert.equal(twice, once, 'formatting twice changes nothing');
  return once;
}

test('pasted pages become clean articles', async (t) => {
  const cases = [
    // [fixture, options, expected]
    // A news page: paragraphs, no junk, safe links, corrections.
    ['news-page.html', { transformText: rules.corrector(read('../../data/redundant.txt')) },
      '<p>　　<strong>新品发布会在京举行</strong></p>' +
      '<p>　　2024-05-12 09:30 来源：本网</p>' +
      '<p>　　本报讯　5月12日，某科技公司在北京发布了新款<strong>智能手表</strong>， 售价1999元。</p>' +
      '<p>　　发布会上，公司负责人表示将再接再厉，持续投入研发。详情 <a href="https://example.com/more">了解更多</a></p>' +
      '<p>　　第三段直接写在div里</p>' +
      '<p>　　第四段跟在换行后面</p>'],
    // A Word paste: mso junk, <o:p>, font spans and empty paragraphs go; bold spans stay bold.
    ['word-paste.html', {},
      '<p>　　近日，我市举办了 “乡村振兴”主题活动。</p>' +
      '<p>　　<strong>活动亮点</strong>：现场签约项目12个。</p>' +
      '<p>　　1. 第一项安排</p>'],
    // Images stand alone; captions are aligned, lose the end sign, and are marked when long.
    ['images-captions.html', { captionMaxLength: 30 },
      '<p>　　开头的正文段落。</p>' +
      '<p style="text-align:center"><img src="photo1.jpg" alt="图一"></p>' +
      '<p style="text-align:center">图为活动现场</p>' +
      '<p>　　中间的正文段落。</p>' +
      '<p style="text-align:center"><img src="data:image/png;base64,iVBORw0KGgo="></p>' +
      '<p style="text-align:center" data-corvel-mark="caption-too-long" title="图片配文超过30字">' +
      '这是一段非常非常长的图片说明文字，它超过了排版设置里允许的最多字数，需要提醒用户自己修改</p>' +
      '<p>　　结尾的正文段落。</p>'],
  ];
  for (const [fixture, options, expected] of cases) {
    await t.test(fixture, () => {
      const html = format(read(`fixtures/${fixture}`), options);
      assert.equal(html, expected);
      // The marks are the page's own: copying the article leaves them out.
      assert.doesNotMatch(formatter.stripMarks(html), /data-corvel-mark|title=/);
    });
  }
});

test('settings change the result', () => {
  const src = '<p><b>粗</b>体</p><p><img src="a.png"></p><p>配文</p><p>●正文</p><p>_ueditor_page_break_tag_</p>';
  const cases = [
    // [options, expected]
    [{ retainBold: false }, '<p>　　粗体</p>'],
    [{ imageJustify: 'none', captionJustify: 'right' }, '<p><img src="a.png"></p><p style="text-align:right">配文</p>'],
    [{ paragraphBeforeBlank: '' }, '<p><strong>粗</strong>体</p>'],
    [{ paragraphBeforeBlank: '●' }, '<p>●正文</p>'], // an indent already there is not doubled
  ];
  for (const [options, expected] of cases) {
    assert.ok(format(src, options).includes(expected), JSON.stringify(options));
  }
  // The page-break marker stays a bare line, without the indent.
  assert.ok(format(src, {}).endsWith('<p>_ueditor_page_break_tag_</p>'));
});

test('counting and plain text', () => {
  assert.equal(formatter.countChars('中文 字数\u3000统计\n😀a'), 8);
  assert.equal(
    formatter.plainText(bodyOf('<p>　　第一段</p><p><img src="a.png"></p><p>&nbsp;</p><p>第二段 <b>粗</b></p>')),
    '　　第一段\n第二段 粗',
  );
});
