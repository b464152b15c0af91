// The four toolbar sets, largest to smallest. Every set keeps the page's own article
// commands (find and replace, format, corrections, checks, conversion, new, copy) so that no set loses the
// core workflow.
// Drafts and files; without the program's article store these buttons are left out.
const DOCUMENTS = ['corvelArticles', 'corvelHistory', 'corvelOpen', 'corvelExport'];
// 发布: copies for the platforms, the check before sending, preview and printing.
const PUBLISH = ['corvelCopyWechat', 'corvelCopyNews', 'corvelPublishCheck', 'corvelPreview', 'corvelPrint'];
const ARTICLE = ['corvelFindReplace', 'corvelFormat', 'corvelCorrect', 'corvelLawCheck', '|',
  'corvelToTraditional', 'corvelToSimplified', '|', 'corvelNew'].concat(DOCUMENTS, ['corvelCopyHtml', 'corvelCopyText', '|'], PUBLISH);
const INSERTS = ['corvelDateline', 'corvelEditorName', 'corvelPageBreak'];

const LITE = ['undo', 'redo', '|', 'bold', 'italic', 'underline', 'eraser', '|'].concat(ARTICLE);

const STANDARD = ['undo', 'redo', '|', 'bold', 'italic', 'underline', 'strikethrough', 'eraser', '|',
  'ul', 'ol', 'align', '|', 'link', 'image', 'hr', '|']
  .concat(INSERTS, ['|'], ARTICLE, ['|', 'source', 'fullsize']);

const EXTENDED = ['undo', 'redo', '|', 'paragraph', 'font', 'fontsize', 'brush', '|',
  'bold', 'italic', 'underline', 'strikethrough', 'superscript', 'subscript', 'eraser', 'copyformat', '|',
  'ul', 'ol', 'indent', 'outdent', 'align', '|', 'link', 'image', 'table', 'hr', 'symbols', '|']
  .concat(INSERTS, ['|'], ARTICLE, ['|', 'selectall', 'source', 'fullsize']);

const ALL = ['undo', 'redo', '|', 'cut', 'copy', 'paste', 'selectall', '|', 'paragraph', 'font', 'fontsize',
  'lineHeight', 'brush', '|', 'bold', 'italic', 'underline', 'strikethrough', 'superscript', 'subscript',
  'eraser', 'copyformat', '|', 'ul', 'ol', 'indent', 'outdent', 'align', '|', 'link', 'unlink',
  'image', 'video', 'table', 'hr', 'symbols', '|']
  .concat(INSERTS, ['|'], ARTICLE, ['|', 'source', 'preview', 'fullsize']);

const SETS = { All: ALL, Extended: EXTENDED, Standard: STANDARD, Lite: LITE };

// An unknown name gives the standard set.
function buttonsFor(name) {
  return Object.prototype.hasOwnProperty.call(SETS, name) ? SETS[name].slice() : STANDARD.slice();
}

function setName(name) {
  return Object.prototype.hasOwnProperty.call(SETS, name) ? name : 'Standard';
}

// Jodit wraps a toolbar between its groups: each run between separators becomes a group of its
// own, which the page's CSS keeps on one row, so no button is left alone on a row.
function asGroups(buttons) {
  const groups = [];
  let run = [];
  for (const name of buttons.concat('|')) {
    if (name !== '|') run.push(name);
    else if (run.length) {
      groups.push({ group: 'corvel-' + groups.length, buttons: run });
      run = [];
    }
  }
  return groups;
}

export { buttonsFor, setName, asGroups, SETS, DOCUMENTS };
