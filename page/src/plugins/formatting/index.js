// 一键排版, the automatic formatting of pastes, and the page-break marker.
import { formatNode } from './formatter.js';
import { formatOptions, processPaste } from './paste.js';
import * as pageBreak from './page-break.js';
import { parseJunkRules } from './web-junk.js';

export default {
  name: 'corvelFormatting',

  install(page) {
    const s = page.settings;
    // The junk rules are parsed once their file is read, after the first frame; a paste or
    // format waits for the file (through the text steps) and parses them if that is sooner.
    let junk = null;
    const junkRules = function () {
      if (junk) return junk;
      junk = parseJunkRules(page.loaded.junkText);
      if (junk.errors.length) page.notices.flash('网页杂项规则文件 web-page-junk.txt 第' + junk.errors.join('、') + '行无法识别，已跳过这些行。', 10000);
      return junk;
    };
    Promise.resolve(page.rulesRead).then(junkRules);
    const steps = () => Object.assign({}, page.steps, { junk: junkRules() });
    // Waits, like paste, for the conversion the text steps need.
    const format = () => page.steps.whenReady(function () {
      // The editor's own nodes are read as they are: the formatter only reads, passes over
      // the page's marks (spans around text) and decorations (attributes), and so is spared
      // parsing the value again, which at 10,000 paragraphs costs more than the reading.
      const before = page.jodit.value;
      const html = formatNode(page.jodit.editor, formatOptions(s, steps()));
      if (html === before) return;
      page.keepVersion('format', before);
      page.setArticle(html);
    });
    page.api.format = format;
    page.api.processPaste = (html) => processPaste(html, s, steps());
    page.registry.define({ name: 'corvelFormat', text: '一键排版', tooltip: '一键排版：整理段落、图片和配文', exec: format });
    page.registry.define({
      name: 'corvelPageBreak',
      text: '分页符',
      tooltip: '插入分页符',
      exec: () => page.jodit.s.insertHTML(pageBreak.breakHtml(s.pageBreakTag)),
    });
  },

  plugin(jodit, page) {
    // The page-break divider's own attributes never leave the editor.
    jodit.e.on('afterGetValueFromEditor', (data) => {
      data.value = pageBreak.undecorate(data.value);
    });
    // A new text at once; typing (which seldom makes a marker) after a pause, as reading every
    // paragraph costs a long article too much per key.
    const decorate = () => {
      if (jodit.editor) pageBreak.decorate(jodit.editor, page.settings.pageBreakTag);
    };
    let waiting = null;
    jodit.e.on('postProcessSetEditorValue', decorate);
    jodit.e.on('change', () => {
      page.win.clearTimeout(waiting);
      waiting = page.win.setTimeout(decorate, 300);
    });
    jodit.e.on('beforePasteInsert', function (html) {
      if (typeof html !== 'string') return html;
      if (page.steps.automatic) return page.api.processPaste(html);
      // The conversion the paste needs is still loading: mark the place, insert there after.
      jodit.s.save();
      page.steps.whenReady(function () {
        jodit.s.focus();
        jodit.s.restore();
        jodit.s.insertHTML(page.api.processPaste(html));
      });
      return '';
    });
  },
};
