// 广告法用语检查: marks the terms in the article and lists them with their reasons.
import { parseFragment } from '../../core/html.js';
import * as law from './law-check.js';
import * as findingsPanel from '../../core/findings-panel.js';

export default {
  name: 'corvelLawCheck',

  install(page) {
    const tools = page.tools;
    const lawRules = law.parseRules(page.loaded.lawText || '');
    tools.lastLawHits = [];
    tools.clearLawMarks = function () {
      const editor = page.jodit;
      const clean = law.stripMarks(editor.value);
      if (clean !== editor.value) page.setArticle(clean);
      tools.lastLawHits = [];
    };
    tools.lawCheck = function () {
      const editor = page.jodit;
      const body = parseFragment(editor.value);
      const found = law.markIn(body, lawRules);
      if (body.innerHTML !== editor.value) page.setArticle(body.innerHTML);
      // The marks now live in the editor: pair each hit with its live element.
      const live = Array.from(editor.editor.querySelectorAll('span[' + law.MARK + ']'));
      tools.lastLawHits = found.map((hit, i) => ({ term: hit.term, reason: hit.reason, element: live[i] }));
      findingsPanel.show(editor, {
        title: found.length ? '广告法用语检查：发现 ' + found.length + ' 处' : '广告法用语检查：未发现禁用用语',
        findings: tools.lastLawHits.map((hit) => ({ rule: hit.kind, text: hit.term, reason: hit.reason, locate: () => hit.element })),
        actions: [{ text: '清除标记', run: () => findingsPanel.close() }],
        onClose: tools.clearLawMarks,
      });
      return tools.lastLawHits;
    };
    page.api.cleanHtml = () => law.stripMarks(page.jodit.value);
    page.registry.define({
      name: 'corvelLawCheck',
      text: '广告法用语检查',
      tooltip: '标出广告中不得使用的绝对化用语，并列出原因',
      exec: () => {
        tools.lawCheck();
      },
    });
  },
};
