// One-click formatting on real-looking pasted HTML: the result is a clean article that keeps
// its structure, and formatting it again changes nothing.
import test from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import * as formatter from './formatter.js';
import * as law from '../law-check/law-check.js';
import * as rules from '../../core/rules.js';
import * as punctuation from './punctuation.js';
import { bodyOf, repo } from '../../testing/index.js';

const read = (file) => fs.readFileSync(`${repo}tests/page/${file}`, 'utf8');
const corrections = rules.corrector(read('../../data/redundant.txt'));

const BASE = {
  paragraphBeforeBlank: '\u3000\u3000', imageJustify: 'center', captionJustify: 'center', captionMaxLength: 40,
  captionEndSign: '。', retainBold: true, pageBreakTag: '_ueditor_page_break_tag_', transformText: null,
  punctuate: punctuation.fix,
};

function format(html, options) {
  const opts = { ...BASE, ...options };
  const once = formatter.formatNode(bodyOf(html), opts);
  const twice = formatter.formatNode(bodyOf(once), opts);
  assert.equal(twice, once, 'formatting twice changes nothing');
  return once;
}

// The top-level elements of a result, one line each: tag, alignment, then the text (list
// items and table cells joined with "|", bold text in **).
function outline(html) {
  const text = (el) => {
    let out = '';
    for (const n of el.childNodes) {
      if (n.nodeType === 3) out += n.nodeValue;
      else if (n.nodeName === 'STRONG') out += `**${text(n)}**`;
      else if (n.nodeName === 'BR') out += '/';
      else out += text(n);
    }
    return out;
  };
  return Array.from(bodyOf(html).children).map((el) => {
    const align = /text-align:(\w+)/.exec(el.getAttribute('style') || '');
    const tag = el.nodeName.toLowerCase() + (align ? `.${align[1]}` : '');
    if (el.nodeName === 'OL' || el.nodeName === 'UL') return `${tag} ${Array.from(el.children).map(text).join('|')}`;
    if (el.nodeName === 'TABLE') {
      return `${tag} ${Array.from(el.querySelectorAll('tr'))
        .map((tr) => Array.from(tr.children).map(text).join('|'))
        .join(' / ')}`;
    }
    return `${tag} ${text(el)}`;
  });
}

test('structured articles keep their structure', async (t) => {
  const cases = [
    // [name, source, options, expected outline]
    ['Word press release: title, subheadings, fake list, table, signature', read('fixtures/press-release.html'),
      { transformText: corrections }, [
        'p.center **星河科技发布新一代智能手表**',
        'p 　　12月6日，星河科技在北京举行新品发布会，正式发布新一代智能手表“星河Watch 3”。发布会于上午10:30开始，现场价格为1,999元，续航提升3.5倍！',
        'h2 产品亮点',
        'ol 全天候健康监测（心率、血氧、睡眠）|两周长续航，支持快充|支持离线支付与公交卡',
        'h2 价格与规格',
        'table **型号**|**屏幕**|**价格** / Watch 3|1.43英寸|1,999元 / Watch 3 Pro|1.5英寸|2,699元',
        'p 　　星河科技负责人表示，公司将再接再厉，为用户带来更好的产品。更多信息请访问https://example.com/watch，或发邮件至press@example.com。',
        'p.right 星河科技有限公司',
        'p.right 2026年12月6日',
      ]],
    ['web page: h1 title, h3 heading, real lists, centred and right paragraphs',
      '<h1 style="color:red">公司年会圆满落幕</h1><p>正文<span style="font-size:30px;color:blue">第一段</span>。</p>' +
      '<h3>年会安排</h3><ul><li>签到</li><li><b>抽奖</b></li></ul><ol><li>开场</li><li>致辞</li></ol>' +
      '<div style="text-align:center">——欢迎参加——</div><p align="right">主办方：某某</p><h1>第二个一级标题</h1>', {}, [
        'h1.center 公司年会圆满落幕',
        'p 　　正文第一段。',
        'h3 年会安排',
        'ul 签到|**抽奖**',
        'ol 开场|致辞',
        'p.center ——欢迎参加——',
        'p.right 主办方：某某',
        'h2 第二个一级标题',
      ]],
    ['a long first line is body text, a bold short one is a title',
      '<p>这是一段很长的第一段文字，它有逗号，也有句号，所以它是正文而不是标题。</p><p>第二段</p>', {}, [
        'p 　　这是一段很长的第一段文字，它有逗号，也有句号，所以它是正文而不是标题。',
        'p 　　第二段',
      ]],
    ['bold short first line', '<p><b>短标题</b></p><p>正文</p>', {}, ['p.center **短标题**', 'p 　　正文']],
    ['Word bullets and a cell with two lines, a header cell and spans',
      '<p class=MsoListParagraph style="mso-list:l1 level1 lfo2"><span style="font-family:Symbol">·<span>&nbsp;&nbsp;</span></span>要点甲</p>' +
      '<p class=MsoListParagraph style="mso-list:l1 level1 lfo2"><span style="font-family:Symbol">·</span> 要点乙</p>' +
      '<table><thead><tr><th colspan="2" style="color:red">规格</th></tr></thead>' +
      '<tbody><tr><td><p>第一行</p><p>第二行</p></td><td><img src="x.png">尺寸</td></tr></tbody></table>', {}, [
        'ul 要点甲|要点乙',
        'table 规格 / 第一行/第二行|尺寸',
      ]],
    ['corrections that empty a paragraph leave no empty paragraph or doubled blank',
      '<p>正文甲</p><p>【打印本页】</p><p>　　【关闭窗口】　　正文乙</p>', { transformText: corrections }, [
        'p 　　正文甲',
        'p 　　正文乙',
      ]],
    ['signature needs an anchor: a short last line alone stays body text', '<p>正文。</p><p>谢谢大家</p>', {}, [
      'p 　　正文。',
      'p 　　谢谢大家',
    ]],
  ];
  for (const [name, source, options, expected] of cases) {
    await t.test(name, () => {
      assert.deepEqual(outline(format(source, options)), expected);
    });
  }
});

test('tables are plain, bordered and keep their spans', () => {
  const html = format('<table border=0 style="width:900px"><tr><td rowspan=2 bgcolor=red>甲</td><td>乙</td></tr>' +
    '<tr><td><a href="https://x.y">链接</a></td></tr></table>', {});
  assert.equal(html, '<table style="border-collapse:collapse"><tbody>' +
    '<tr><td rowspan="2" style="border:1px solid #000;padding:4px 8px">甲</td><td style="border:1px solid #000;padding:4px 8px">乙</td></tr>' +
    '<tr><td style="border:1px solid #000;padding:4px 8px">链接</td></tr></tbody></table>');
});

test('pasted pages become clean articles', async (t) => {
  const cases = [
    // [fixture, options, expected]
    // A news page: title, paragraphs, no junk, safe links, corrections.
    ['news-page.html', { transformText: corrections },
      '<h1 style="text-align:center">新品发布会在京举行</h1>' +
      '<p>　　2024-05-12 09:30 来源：本网</p>' +
      '<p>　　本报讯　5月12日，某科技公司在北京发布了新款<strong>智能手表</strong>， 售价1999元。</p>' +
      '<p>　　发布会上，公司负责人表示将再接再厉，持续投入研发。详情 <a href="https://example.com/more">了解更多</a></p>' +
      '<p>　　第三段直接写在div里</p>' +
      '<p>　　第四段跟在换行后面</p>'],
    // A Word paste: mso junk, <o:p>, font spans and empty paragraphs go; bold spans stay bold;
    // the fake list item becomes a list.
    ['word-paste.html', {},
      '<p>　　近日，我市举办了 “乡村振兴”主题活动。</p>' +
      '<p>　　<strong>活动亮点</strong>：现场签约项目12个。</p>' +
      '<ol><li>第一项安排</li></ol>'],
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
      assert.doesNotMatch(law.stripMarks(html), /data-corvel-mark|title=/);
    });
  }
});

test('settings change the result', () => {
  const src = '<p>开头正文。</p><p><b>粗</b>体</p><p><img src="a.png"></p><p>配文</p><p>●正文</p><p>_ueditor_page_break_tag_</p>';
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
    formatter.plainText(bodyOf('<p>　　第一段</p><p><img src="a.png"></p><p>&nbsp;</p><p>第二段 <b>粗</b></p>' +
      '<table><tr><td>格甲</td><td>格乙</td></tr></table>')),
    '　　第一段\n第二段 粗\n格甲\n格乙',
  );
});
