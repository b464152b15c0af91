// 错误更正 on the whole article: one undo step, a list of every change (before → after),
// each of which moves to its place and can be undone alone.
import * as findingsPanel from '../../core/findings-panel.js';
import { keepOut } from '../../core/marks.js';
import * as fixes from './corrections.js';

function describe(change) {
  return change.before + ' → ' + (change.after === '' ? '（删除）' : change.after);
}

export default {
  name: 'corvelCorrections',

  install(page) {
    const tools = page.tools;
    const quietly = (change) => page.jodit.history.snapshot.transaction(change);
    tools.lastCorrection = null;
    // What was done, or a promise of it while the rule file is still being read.
    tools.correct = () => page.withRules(function () {
      const editor = page.jodit;
      findingsPanel.close();
      const planned = fixes.plan(editor.editor, page.steps.correctOnly);
      const count = planned.reduce((n, p) => n + p.hits.length, 0);
      tools.lastCorrection = { count: count, changes: [] };
      if (count === 0) {
        page.notices.flash('错误更正：没有需要更正的地方。');
        return tools.lastCorrection;
      }
      page.keepVersion('correct');
      const changes = fixes.apply(planned, page.settings.paragraphBeforeBlank);
      editor.synchronizeValues(); // one change, one undo step
      tools.lastCorrection.changes = changes;
      page.notices.flash('错误更正：共更正 ' + count + ' 处。');
      findingsPanel.show(editor, {
        title: '错误更正：共更正 ' + count + ' 处',
        findings: changes.map((change) => ({
          rule: 'correction',
          text: describe(change),
          locate: () => (change.mark.isConnected ? change.mark : change.removed && change.removed.next),
          undo: () => {
            if (fixes.undo(change)) editor.synchronizeValues();
            else page.notices.flash('这一处已经改动过，没有撤销。');
          },
        })),
        onClose: () => quietly(() => fixes.unmark(editor.editor)),
      });
      return tools.lastCorrection;
    });
    page.api.correct = () => tools.correct();
    page.registry.define({ name: 'corvelCorrect', text: '错误更正', tooltip: '按错误更正规则文件修改全文，并列出每一处更改', exec: () => tools.correct() });
  },

  plugin(jodit) {
    keepOut(jodit, fixes.MARK);
  },
};
