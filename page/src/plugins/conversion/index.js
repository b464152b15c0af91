// 一键简繁: 转为繁体 (plain, or 台湾 or 香港 wording, remembered) and 转为简体 on the whole article.
import { parseFragment } from '../../core/html.js';
import { converter, eachTextNode } from '../../core/rules.js';
import { openccFactory, withOpencc } from '../../core/text-steps.js';
import { stripMarks } from '../law-check/law-check.js';
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
    // come first. One undo step. Waits for OpenCC when it has not loaded yet.
    tools.convert = (direction) => withOpencc(function () {
      const editor = page.jodit;
      const convert = converterFor(direction);
      // The value and the result are each written out once: at 10,000 paragraphs every
      // serialization costs tens of milliseconds.
      const before = editor.value;
      const body = parseFragment(stripMarks(before));
      eachTextNode(body, convert);
      const html = body.innerHTML;
      if (html === before) return;
      page.keepVersion('convert', before);
      page.setArticle(html);
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
