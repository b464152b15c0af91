// 广告法用语检查: marks the terms in the article and lists them with their reasons.
import * as findingsPanel from '../../core/findings-panel.js';
import { keepOut } from '../../core/marks.js';
import * as law from './law-check.js';

export default {
  name: 'corvelLawCheck',

  install(page) {
    const tools = page.tools;
    // Built at the first use, not before the first paint: the automaton over some 600 terms
    // costs several milliseconds. 发稿体检 shares it.
    let rules = null;
    page.lawRules = () => rules || (rules = law.parseRules(page.loaded.lawText || ''));
    // Marks are drawn in the editor outside its undo history and never change its value.
    const quietly = (change) => page.jodit.history.snapshot.transaction(change);
    tools.lastLawHits = [];
    tools.clearLawMarks = function () {
      quietly(() => law.unmark(page.jodit.editor));
      tools.lastLawHits = [];
    };
    // The hits, or a promise of them while the rule file is still being read.
    tools.lawCheck = () => page.withRules(function () {
      const editor = page.jodit;
      let found = [];
      quietly(() => (found = law.markIn(editor.editor, page.lawRules())));
      tools.lastLawHits = found.map((hit) => ({ term: hit.term, reason: hit.reason, kind: hit.kind, element: hit.element }));
      findingsPanel.show(editor, {
        title: found.length ? '广告法用语检查：发现 ' + found.length + ' 处' : '广告法用语检查：未发现禁用用语',
        findings: tools.lastLawHits.map((hit) => ({ rule: hit.kind, text: hit.term, reason: hit.reason, locate: () => hit.element })),
        actions: [{ text: '清除标记', run: () => findingsPanel.close() }],
        onClose: tools.clearLawMarks,
      });
      return tools.lastLawHits;
    });
    page.api.cleanHtml = () => law.stripMarks(page.jodit.value);
    page.registry.define({
      name: 'corvelLawCheck',
      text: '广告法用语检查',
      tooltip: '标出广告中不得使用的用语，并列出原因和所依据的《广告法》条文',
      exec: () => {
        tools.lawCheck();
      },
    });
  },

  plugin(jodit) {
    keepOut(jodit, law.MARK);
  },
};
