// Jodit's options for the article editor, from the page's settings.
import * as zh from './jodit-zh.js';
import { sanitizeHtml } from './sanitize.js';
import { CHROME_GUESS } from './layout.js';

// Styles inside the editing frame: the caption-length mark, the law-check and correction marks, the
// page-break divider (its tag text hidden behind a labelled dashed line) and the page's marks.
const IFRAME_STYLE =
  'p[data-corvel-mark]{background:#fff3cd;outline:1px dashed #d9534f;}' +
  'span[data-corvel-law]{background:#ffe0e0;border-bottom:2px solid #d9534f;cursor:help;}' +
  'span[data-corvel-fix]{background:#e3f4e1;border-bottom:2px solid #3c8d40;}' +
  'p[data-corvel-page-break]{position:relative;height:24px;margin:12px 0;font-size:0;line-height:0;' +
  'color:transparent;text-indent:0;border-top:2px dashed #8a94a6;user-select:none;}' +
  'p[data-corvel-page-break]::after{content:"分页符";position:absolute;left:50%;top:-10px;' +
  'transform:translateX(-50%);padding:0 8px;background:#fff;color:#5b6577;font-size:12px;line-height:18px;}' +
  'table{margin:0 0 0.8em;}html{overflow-y:auto;}' +
  'span[data-corvel-mark]{color:#b02a37;background:#fde8ea;border:1px dashed #d9534f;padding:0 4px;}' +
  'img[data-corvel-mark]{outline:3px dashed #d9534f;min-width:120px;min-height:60px;}';

// The editing frame's own policy (it is about:blank, written by Jodit): no script of any kind
// runs in the article, and nothing in it is fetched but pictures. Jodit writes the doctype
// first, so the policy rides on it and the parser puts it into the frame's head.
const FRAME_POLICY = "default-src 'none'; script-src 'none'; style-src 'unsafe-inline'; " +
  'img-src http: https: data: blob: file: corvel-article:; font-src data:; ' +
  "form-action 'none'; base-uri 'none'";
const FRAME_DOCTYPE = '<!DOCTYPE html><meta http-equiv="Content-Security-Policy" content="' + FRAME_POLICY + '">';

function editorOptions(Jodit, s, buttons, controls) {
  // An atom replaces Jodit's own font list instead of being merged into it.
  controls.font = Object.assign({}, Jodit.defaultOptions.controls.font, { list: Jodit.atom(zh.FONTS) });
  return {
    language: 'zh_cn',
    i18n: { zh_cn: zh.TEXTS },
    toolbarAdaptive: false,
    // 查找替换 (find-replace) takes Ctrl+F and Ctrl+H.
    disablePlugins: ['search'],
    buttons: buttons,
    controls: controls,
    // The editing area is an iframe so that the user's initial style (body{...}) applies
    // to the article alone.
    iframe: true,
    iframeDoctype: FRAME_DOCTYPE,
    iframeStyle: (Jodit.defaultOptions.iframeStyle || '') + IFRAME_STYLE + s.initialStyle,
    // The height setting is the editing area's least height; the layout makes the editor
    // fill the window and the article scroll inside it.
    height: s.frameHeight + CHROME_GUESS,
    allowResizeY: false,
    sourceEditor: 'area',
    beautifyHTML: false,
    showCharsCounter: false,
    showWordsCounter: false,
    showXPathInStatusbar: s.elementPath,
    hidePoweredByJodit: true,
    askBeforePasteHTML: false,
    askBeforePasteFromWord: false,
    // With automatic formatting the formatter reads Word's own markup (fake lists, hidden
    // text); Jodit's Word clean-up would strip those hints first.
    processPasteFromWord: !s.autoFormat,
    defaultActionOnPaste: 'insert_as_html',
    saveSelectionOnBlur: true,
    // Every value set from outside (drafts, history, opened files, the commands) is sanitized.
    events: { beforeSetValueToEditor: (value) => (typeof value === 'string' ? sanitizeHtml(value) : value) },
  };
}

export { editorOptions };
