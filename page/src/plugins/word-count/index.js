// 字数 in the status bar, when the settings ask for it. The figure is taken after a pause in
// the typing, in idle time, from the live count that re-reads only the blocks a change touched.
import { liveCount } from '../../core/char-count.js';

const PAUSE_MS = 300;

// The editor's live count, shared with the saves of the drafts.
function articleCount(page) {
  if (!page.liveCount) page.liveCount = liveCount(page.jodit.editor, page.settings.pageBreakTag);
  return page.liveCount;
}

export { articleCount };

export default {
  name: 'corvelWordCount',

  install(page) {
    page.api.wordCountShown = false;
  },

  // The counter joins the status bar while the editor is made, so that Jodit sizes its editing
  // area with the bar already shown, and before the editing frame is made: inserting the frame
  // lays out the whole page, the counter with it. Added after the frame, it cost the page a
  // second whole layout before its first frame (5 to 20 ms of every start).
  plugin(jodit, page) {
    if (!page.settings.wordCount) return;
    page.wordCounter = page.doc.createElement('span');
    page.wordCounter.className = 'corvel-word-count';
    page.wordCounter.textContent = '字数：';
    jodit.e.on('createEditor', () => {
      if (!page.wordCounter.parentNode) jodit.statusbar.append(page.wordCounter, true);
    }, { top: true });
  },

  start(page) {
    Object.defineProperty(page.tools, 'wordCount', { get: () => articleCount(page).now(), configurable: true });
    if (!page.settings.wordCount) return;
    const { jodit: editor, win } = page;
    const counter = page.wordCounter;
    const update = function () {
      const n = articleCount(page).now();
      counter.textContent = '字数：' + n.words + '　字符数（含空格）：' + n.withBlanks;
    };
    let waiting = null;
    const later = function () {
      if (waiting !== null) win.clearTimeout(waiting);
      waiting = win.setTimeout(function () {
        waiting = null;
        if (win.requestIdleCallback) win.requestIdleCallback(update, { timeout: 1000 });
        else update();
      }, PAUSE_MS);
    };
    editor.e.on('change keyup afterSetMode', later);
    // The first figure just after the first frame: reading a long article holds up nothing.
    page.painted.then(update);
    page.api.wordCountShown = true;
  },
};
