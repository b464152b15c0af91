// The article-wide commands beyond formatting: 错误更正 with its count and highlight,
// 广告法用语检查, 一键简繁 (转为繁体, 转为简体), the visible page-break divider and the
// 字数 counter. app.js builds the editor; this file gives it these controls.
(function (root) {
  'use strict';

  const STANDARD_KEY = 'corvel.chineseStandard';
  const STANDARDS = { tw: '台湾标准', hk: '香港标准' };
  const BREAK_ATTRS = ' data-corvel-page-break="" contenteditable="false"';

  function rememberedStandard(storage) {
    try {
      const value = storage.getItem(STANDARD_KEY);
      return Object.prototype.hasOwnProperty.call(STANDARDS, value) ? value : 'tw';
    } catch (e) {
      return 'tw';
    }
  }

  // ctx: {editor(), setArticle(html), parseFragment(html), loaded, steps, opencc(direction,
  // standard) or null, storage, keepVersion(reason) or null}
  function create(ctx) {
    const s = ctx.loaded.settings;
    const lawRules = CorvelLawCheck.parseRules(ctx.loaded.lawText || '');
    let standard = rememberedStandard(ctx.storage);
    const tools = { lastCorrection: null, lastLawHits: [] };

    tools.standard = () => standard;
    tools.setStandard = function (value) {
      if (!Object.prototype.hasOwnProperty.call(STANDARDS, value)) return;
      standard = value;
      try {
        ctx.storage.setItem(STANDARD_KEY, value);
      } catch (e) {
        /* the choice only lasts this session */
      }
    };

    tools.correct = function () {
      const editor = ctx.editor();
      const body = ctx.parseFragment(CorvelLawCheck.stripMarks(editor.value));
      const result = CorvelCorrections.correctIn(body, ctx.steps.correctOnly, s.paragraphBeforeBlank);
      tools.lastCorrection = { count: result.count };
      if (result.count === 0) {
        CorvelLawPanel.toast('错误更正：没有需要更正的地方。');
        return result;
      }
      if (ctx.keepVersion) ctx.keepVersion('correct');
      ctx.setArticle(body.innerHTML);
      CorvelLawPanel.toast('错误更正：共更正 ' + result.count + ' 处。');
      const nodes = CorvelCorrections.textNodes(editor.editor);
      const ranges = [];
      for (const hit of result.hits) {
        const node = nodes[hit.node];
        if (!node || hit.end > node.nodeValue.length) continue;
        const range = editor.ed.createRange();
        range.setStart(node, hit.start);
        range.setEnd(node, hit.end);
        ranges.push(range);
      }
      CorvelLawPanel.flashRanges(editor, ranges, 2000);
      return result;
    };

    tools.clearLawMarks = function () {
      const editor = ctx.editor();
      const clean = CorvelLawCheck.stripMarks(editor.value);
      if (clean !== editor.value) ctx.setArticle(clean);
      tools.lastLawHits = [];
    };

    tools.lawCheck = function () {
      const editor = ctx.editor();
      const body = ctx.parseFragment(editor.value);
      const found = CorvelLawCheck.markIn(body, lawRules);
      if (body.innerHTML !== editor.value) ctx.setArticle(body.innerHTML);
      // The marks now live in the editor: pair each hit with its live element.
      const live = Array.from(editor.editor.querySelectorAll('span[' + CorvelLawCheck.MARK + ']'));
      tools.lastLawHits = found.map((hit, i) => ({ term: hit.term, reason: hit.reason, element: live[i] }));
      CorvelLawPanel.show(editor, tools.lastLawHits, tools.clearLawMarks);
      return tools.lastLawHits;
    };

    // Converts the whole article now, whatever the automatic setting says; the user's pairs
    // come first. One undo step.
    tools.convert = function (direction) {
      const editor = ctx.editor();
      const library = ctx.opencc ? (dir) => ctx.opencc(dir, standard) : null;
      const convert = CorvelRules.converter(ctx.loaded.conversionText, direction, library);
      const body = ctx.parseFragment(CorvelLawCheck.stripMarks(editor.value));
      CorvelRules.eachTextNode(body, convert);
      if (body.innerHTML === editor.value) return;
      if (ctx.keepVersion) ctx.keepVersion('convert');
      ctx.setArticle(body.innerHTML);
    };

    // The page-break marker shows as a labelled divider; the stored article keeps the
    // configured tag alone.
    tools.decoratePageBreaks = function () {
      const editor = ctx.editor();
      if (!s.pageBreakTag) return;
      for (const p of Array.from(editor.editor.querySelectorAll('p'))) {
        if (p.textContent.trim() === s.pageBreakTag && !p.hasAttribute('data-corvel-page-break')) {
          p.setAttribute('data-corvel-page-break', '');
          p.setAttribute('contenteditable', 'false');
        }
      }
    };
    tools.undecorate = (html) => html.split(BREAK_ATTRS).join('');
    tools.pageBreakHtml = function () {
      const tag = s.pageBreakTag.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
      return '<p' + BREAK_ATTRS + '>' + tag + '</p><p><br></p>';
    };

    tools.addWordCounter = function () {
      const editor = ctx.editor();
      const counter = document.createElement('span');
      counter.className = 'corvel-word-count';
      const update = function () {
        const n = CorvelWordCount.count(CorvelWordCount.textOf(editor.editor, s.pageBreakTag));
        counter.textContent = '字数：' + n.words + '　字符数（含空格）：' + n.withBlanks;
        tools.wordCount = n;
      };
      editor.statusbar.append(counter, true);
      editor.e.on('change keyup afterSetMode', update);
      update();
      return counter;
    };

    tools.controls = {
      corvelLawCheck: {
        name: 'corvelLawCheck',
        text: '广告法用语检查',
        tooltip: '标出广告中不得使用的绝对化用语，并列出原因',
        exec: () => {
          tools.lawCheck();
        },
      },
      corvelToTraditional: {
        name: 'corvelToTraditional',
        text: '转为繁体',
        tooltip: '把全文转为繁体（点右边的箭头选择台湾标准或香港标准）',
        list: STANDARDS,
        exec: function (editor, current, options) {
          const args = options && options.control && options.control.args;
          if (args && args[0]) tools.setStandard(args[0]);
          tools.convert('traditional');
        },
      },
      corvelToSimplified: {
        name: 'corvelToSimplified',
        text: '转为简体',
        tooltip: '把全文转为简体',
        exec: () => {
          tools.convert('simplified');
        },
      },
    };
    return tools;
  }

  // Styles inside the editing frame: the caption-length mark, the law-check marks and the
  // page-break divider (its tag text hidden behind a labelled dashed line).
  const IFRAME_STYLE =
    'p[data-corvel-mark]{background:#fff3cd;outline:1px dashed #d9534f;}' +
    'span[data-corvel-law]{background:#ffe0e0;border-bottom:2px solid #d9534f;cursor:help;}' +
    'p[data-corvel-page-break]{position:relative;height:24px;margin:12px 0;font-size:0;line-height:0;' +
    'color:transparent;text-indent:0;border-top:2px dashed #8a94a6;user-select:none;}' +
    'p[data-corvel-page-break]::after{content:"分页符";position:absolute;left:50%;top:-10px;' +
    'transform:translateX(-50%);padding:0 8px;background:#fff;color:#5b6577;font-size:12px;line-height:18px;}' +
    'table{margin:0 0 0.8em;}html{overflow-y:auto;}';

  root.CorvelArticleTools = {
    create: create,
    rememberedStandard: rememberedStandard,
    STANDARDS: STANDARDS,
    IFRAME_STYLE: IFRAME_STYLE,
  };
})(self);
