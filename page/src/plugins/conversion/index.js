// 一键简繁: 转为繁体 (plain, or 台湾 or 香港 wording, remembered) and 转为简体 on the whole article.
import { converter, eachTextNode } from '../../core/rules.js';
import { openccFactory } from '../../core/text-steps.js';
import * as findingsPanel from '../../core/findings-panel.js';
import { rememberedStandard, rememberStandard, STANDARDS } from './standard.js';

export default {
  name: 'corvelConversion',

  install(page) {
    const tools = page.tools;
    let standard = rememberedStandard(page.storage);
    tools.standard = () => standard;
    tools.setStandard = function (value) {
      if (rememberStandard(page.storage, value)) standard = value;
    };
    // One converter per direction and standard, built when first used.
    const converters = new Map();
    const converterFor = function (direction) {
      const key = direction + '/' + standard;
      if (!converters.has(key)) {
        const opencc = openccFactory();
        const library = opencc ? (dir) => opencc(dir, standard) : null;
        converters.set(key, converter(page.loaded.conversionText, direction, library, standard));
      }
      return converters.get(key);
    };
    // Converts the whole article now, whatever the automatic setting says; the user's pairs
    // come first. One undo step. Waits for the rule files and OpenCC when they are not in yet.
    // The text is converted where it stands, node by node: setting a converted copy instead
    // costs Jodit a parse and a walk of the whole article (most of a second at 10,000
    // paragraphs), and the copy the sanitizer once more. Only text changes, so nothing new
    // needs the sanitizer.
    tools.convert = (direction) => page.steps.whenReady(function () {
      const editor = page.jodit;
      const convert = converterFor(direction);
      const before = editor.value;
      let changed = false;
      const converting = function (text) {
        const after = convert(text);
        if (after !== text) changed = true;
        return after;
      };
      // A check's list and marks point at the text as it was; closing the list takes its marks.
      findingsPanel.close();
      eachTextNode(editor.editor, converting);
      if (!changed) return;
      page.keepVersion('convert', before);
      editor.setEditorValue(); // Jodit takes the changed text: one undo step, the save, the count
    });
    page.registry.define({
      name: 'corvelToTraditional',
      text: '转为繁体',
      tooltip: '把全文转为繁体（点右边的箭头可改用台湾或香港的用语）',
      list: STANDARDS,
      exec: function (editor, current, options) {
        const args = options && options.control && options.control.args;
        if (args && args[0]) tools.setStandard(args[0]);
        tools.convert('traditional');
      },
    });
    page.registry.define({
      name: 'corvelToSimplified',
      text: '转为简体',
      tooltip: '把全文转为简体',
      exec: () => {
        tools.convert('simplified');
      },
    });
  },
};
