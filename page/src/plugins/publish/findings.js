// Findings ({rule, text, at}) in the shared findings panel, each moving the editor to its place.
import * as findingsPanel from '../../core/findings-panel.js';
import { locate } from './locate.js';

function showFindings(editor, title, findings) {
  return findingsPanel.show(editor, {
    title,
    findings: findings.map((f) => ({ rule: f.rule, text: f.text, reason: f.rule, locate: () => locate(editor, f.at) })),
  });
}

export { showFindings };
