// The sanitizer over hostile HTML, and over what writers need kept.
import test from 'node:test';
import assert from 'node:assert/strict';
import { bodyOf } from '../testing/index.js';
import { sanitizeHtml } from './sanitize.js';
import { popupMenu } from './popup-menu.js';

const PNG = 'data:image/png;base64,iVBORw0KGgo=';

// [what, hostile input, what must not survive in the output]
const HOSTILE = [
  ['event handler', '<img src="a.png" onerror="x()">', /onerror/i],
  ['handler on any element', '<p onmouseover="x()">a</p>', /onmouseover/i],
  ['script element', '<p>a<script>x()</script></p>', /script|x\(\)/i],
  ['javascript: link', '<a href="javascript:x()">a</a>', /javascript/i],
  ['javascript: with a tab inside', '<a href="java\tscript:x()">a</a>', /script/i],
  ['javascript: with an entity tab', '<a href="java&#9;script:x()">a</a>', /script/i],
  ['javascript: with a leading control character', '<a href="\u0001javascript:x()">a</a>', /script/i],
  ['javascript: spelt in entities', '<a href="&#106;&#97;vascript:x()">a</a>', /vascript/i],
  ['vbscript:', '<a href="vbscript:x">a</a>', /vbscript/i],
  ['data: html link', '<a href="data:text/html,<script>x()</script>">a</a>', /data:|script/i],
  ['svg picture as data:', '<img src="data:image/svg+xml,<svg onload=x()>">', /data:|svg/i],
  ['svg with script', '<svg><script>x()</script><a xlink:href="javascript:x()"><text>a</text></a></svg>', /svg|script/i],
  ['svg animate to javascript', '<svg><animate attributeName="href" to="javascript:x()"/></svg>', /animate|javascript/i],
  ['MathML mutation', '<math><mtext><table><mglyph><style><img src=x onerror=x()>', /onerror|math|style/i],
  ['noscript mutation', '<noscript><p title="</noscript><img src=x onerror=x()>">', /onerror/i],
  ['iframe srcdoc', '<iframe srcdoc="<script>x()</script>"></iframe>', /iframe|srcdoc|script/i],
  ['object and embed', '<object data="x.swf"></object><embed src="x.swf">', /object|embed/i],
  ['frameset', '<frameset><frame src="x.html"></frameset>', /frame/i],
  ['form with a button', '<form action="http://x/"><input name="a"><button>提交</button></form>', /form|input|button|action/i],
  ['formaction', '<button formaction="javascript:x()">a</button>', /formaction|button/i],
  ['meta refresh', '<meta http-equiv="refresh" content="0;url=http://x/"><p>a</p>', /meta|refresh/i],
  ['base', '<base href="http://x/"><a href="y">a</a>', /base|x\//i],
  ['link element', '<link rel="stylesheet" href="http://x/a.css">', /link|x\//i],
  ['style element', '<style>body{background:url(http://x/)}</style>', /style|url/i],
  ['CSS url()', '<p style="color:red;background:url(http://x/a.png)">a</p>', /url/i],
  ['CSS url() behind an escape', '<p style="background:u\\72l(http://x/)">a</p>', /\\72|http/i],
  ['CSS image-set', '<p style="background:image-set(\'http://x/a.png\' 1x)">a</p>', /image-set|http/i],
  ['CSS import', '<p style="@import \'http://x/\'">a</p>', /import/i],
  ['srcset', '<img src="a.png" srcset="http://x/a.png 2x">', /srcset/i],
  ['file: link', '<a href="file:///etc/passwd">a</a>', /file:/i],
  ['template', '<template><img src=x onerror=x()></template>', /onerror|template/i],
];

// [what, input, output]: what writers need survives unchanged.
const KEPT = [
  ['headings and paragraphs', '<h1>标题</h1><h2>小标题</h2><p>正文</p>'],
  ['lists', '<ol><li>一</li></ol><ul><li>二</li></ul>'],
  ['tables with alignment and borders', '<table border="1" cellpadding="4" align="center"><tbody><tr><td align="right" valign="top" colspan="2" style="border:1px solid #000">格</td></tr></tbody></table>'],
  ['alignment and inline style', '<p style="text-align:center;text-indent:2em"><strong>粗</strong><em>斜</em><u>下</u><span style="color:#c00">红</span></p>'],
  ['web picture with size', '<p><img src="https://example.org/a.jpg" width="300" height="200" alt="图"></p>'],
  ['raster data: picture', `<img src="${PNG}">`],
  ['stored picture', '<img src="corvel-article://a1/x.png">'],
  ['Word paste picture', '<img src="file:///C:/Users/a/AppData/Local/Temp/msohtmlclip1/01/clip_image002.png">'],
  ['links', '<a href="https://example.org/">网</a><a href="http://example.org/">旧</a><a href="mailto:a@example.org">信</a>'],
  ['the page\'s marks', '<p data-corvel-mark="missing">缺</p><span data-corvel-law="最好" title="绝对化用语">最好</span>'],
  ['Word list markers', '<p style="mso-list:l0 level1 lfo1;margin-left:18pt">1.第一条</p>'],
];

test('hostile HTML loses what could run or leave', async (t) => {
  for (const [what, input, banned] of HOSTILE) {
    await t.test(what, () => assert.doesNotMatch(sanitizeHtml(input), banned));
  }
});

test('what writers need is kept', async (t) => {
  for (const [what, html] of KEPT) {
    await t.test(what, () => assert.equal(sanitizeHtml(html), html));
  }
});

test('settings values in the popup keep their HTML but run no handler', () => {
  const doc = bodyOf('').ownerDocument;
  const items = ['<b>本报讯</b>', '<img src=x onerror="window.ran=1">新华社'].map((v) => [v, v, true]);
  const entries = popupMenu(doc, items, () => {}, () => {}).children;
  assert.equal(entries[0].innerHTML, '<b>本报讯</b>');
  assert.equal(entries[1].innerHTML, '<img src="x">新华社');
});
