// 错误更正 on the whole article, with its count and a brief highlight of each place changed.
import { parseFragment } from '../../core/html.js';
import { textNodes } from '../../core/rules.js';
import { flashRanges } from '../../core/highlight.js';
import { stripMarks } from '../law-check/law-check.js';
import { correctIn } from './corrections.js';

export default {
  name: 'corvelCorrections',

  install(page) {
    const tools = page.tools;
    tools.lastCorrection = null;
    tools.correct = function () {
      const editor = page.jodit;
      const body = parseFragment(stripMarks(editor.value));
      const result = correctIn(body, page.steps.correctOnly, page.settings.paragraphBeforeBlank);
      tools.lastCorrection = { count: result.count };
      if (result.count === 0) {
        page.notices.flash('错误更正：没有需要更正的地方。');
        return result;
      }
      page.keepVersion('correct');
      page.setArticle(body.innerHTML);
      page.notices.flash('错误更正：共更正 ' + result.count + ' 处。');
      const nodes = textNodes(editor.editor);
      const ranges = [];
      for (const hit of result.hits) {
        const node = nodes[hit.node];
        if (!node || hit.end > node.nodeValue.length) continue;
        const range = editor.ed.createRange();
        range.setStart(node, hit.start);
        range.setEnd(node, hit.end);
        ranges.push(range);
      }
      flashRanges(editor, ranges, 2000);
      return result;
    };
    page.api.correct = () => tools.correct();
    page.registry.define({ name: 'corvelCorrect', text: '错误更正', tooltip: '按错误更正规则文件修改全文', exec: () => tools.correct() });
  },
};
