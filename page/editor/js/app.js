// The editor page: reads web.ini and the two rule files on every load, builds the editor
// with the chosen toolbar set, and keeps the article safe across reloads.
(function () {
  'use strict';

  const notices = [];

  function notice(text) {
    notices.push(text);
    const box = document.getElementById('corvel-notices');
    if (!box) return;
    const item = document.createElement('div');
    item.className = 'corvel-notice';
    item.textContent = text;
    box.appendChild(item);
  }

  function escapeHtml(text) {
    return text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
  }

  // A detached document for rebuilding HTML without touching the live editor.
  function parseFragment(html) {
    const doc = document.implementation.createHTMLDocument('');
    doc.body.innerHTML = html;
    return doc.body;
  }

  function openccFactory() {
    if (typeof OpenCC === 'undefined') return null;
    return function (direction) {
      return direction === 'traditional'
        ? OpenCC.Converter({ from: 'cn', to: 'tw' })
        : OpenCC.Converter({ from: 'tw', to: 'cn' });
    };
  }

  async function loadSettings() {
    const iniText = await CorvelTextLoader.loadText('web.ini');
    if (iniText === null) notice('未能读取设置文件 web.ini，已使用默认设置。');
    const options = iniText === null ? null : CorvelOptionReader.parseOptions(iniText);
    if (options && !CorvelSettings.holdsAnySetting(options)) {
      notice('设置文件 web.ini 中读不到任何设置（文件是空的、已损坏，或不是 UTF-8 编码），已使用默认设置。' +
        '请用安装包中原有的 web.ini 替换它，或重新安装程序。');
    }
    const settings = CorvelSettings.fromOptions(options);
    const [conversionText, correctionText] = await Promise.all([
      CorvelTextLoader.loadText(settings.conversionFile),
      CorvelTextLoader.loadText(settings.redundantFile),
    ]);
    if (conversionText === null) {
      notice('未能读取简繁转换规则文件 ' + settings.conversionFile + '，只使用内置转换。');
    }
    if (correctionText === null) {
      notice('未能读取错误更正规则文件 ' + settings.redundantFile + '，错误更正不可用。');
    }
    return { settings: settings, conversionText: conversionText || '', correctionText: correctionText || '' };
  }

  // The text steps that paste and formatting run, according to the settings.
  function textSteps(loaded) {
    const s = loaded.settings;
    const opencc = openccFactory();
    if (s.conversion !== 'same' && !opencc) notice('简繁转换组件未能加载，只使用转换规则文件。');
    const convert = CorvelRules.converter(loaded.conversionText, s.conversion, opencc);
    const correct = CorvelRules.corrector(loaded.correctionText);
    return {
      correctOnly: correct,
      automatic: CorvelRules.textPipeline({ correct: s.redundant ? correct : null, convert: convert }),
    };
  }

  function formatOptions(settings, transformText) {
    return {
      paragraphBeforeBlank: settings.paragraphBeforeBlank,
      imageJustify: settings.imageJustify,
      captionJustify: settings.captionJustify,
      captionMaxLength: settings.captionMaxLength,
      captionEndSign: settings.captionEndSign,
      retainBold: settings.retainBold,
      pageBreakTag: settings.pageBreakTag,
      transformText: transformText,
    };
  }

  // Pasted HTML: a short inline snippet only gets the text steps, so that pasting a word
  // into a paragraph does not split it; anything with paragraphs or images is formatted
  // as article text when automatic formatting is on.
  function processPaste(html, loaded, steps) {
    const s = loaded.settings;
    const isPlain = html.indexOf('<') < 0;
    const body = parseFragment(isPlain ? escapeHtml(html).replace(/\r?\n/g, '<br>') : html);
    const structured = /<(p|div|h[1-6]|li|tr|table|img|br|blockquote|section|article)\b/i.test(body.innerHTML);
    if (s.autoFormat && structured) {
      return CorvelFormatter.formatNode(body, formatOptions(s, steps.automatic));
    }
    CorvelRules.eachTextNode(body, steps.automatic);
    return body.innerHTML;
  }

  function copyToClipboard(html, text) {
    const onCopy = function (event) {
      if (html !== null) event.clipboardData.setData('text/html', html);
      event.clipboardData.setData('text/plain', text);
      event.preventDefault();
    };
    document.addEventListener('copy', onCopy);
    let ok = false;
    try {
      ok = document.execCommand('copy');
    } finally {
      document.removeEventListener('copy', onCopy);
    }
    return ok;
  }

  // Inline HTML from the dateline list goes at the start of the first paragraph (after its
  // indent); block HTML becomes the first block.
  function withDateline(html, dateline, indent) {
    const body = parseFragment(html);
    const first = body.querySelector('p');
    if (/^\s*<(p|div|h[1-6]|table|blockquote)\b/i.test(dateline) || !first) {
      return dateline + body.innerHTML;
    }
    const lead = first.firstChild && first.firstChild.nodeType === 3 ? first.firstChild : null;
    const text = lead ? lead.nodeValue : '';
    const keep = indent && text.startsWith(indent) ? indent : '';
    if (lead) lead.nodeValue = text.slice(keep.length);
    first.insertAdjacentHTML('afterbegin', escapeHtml(keep) + dateline);
    return body.innerHTML;
  }

  function withEditorLine(html, line) {
    return /^\s*<(p|div|h[1-6]|table|blockquote)\b/i.test(line) ? html + line : html + '<p>' + line + '</p>';
  }

  function listPopup(items, choose, close) {
    const box = document.createElement('div');
    box.className = 'corvel-menu';
    if (items.length === 0) {
      box.textContent = '（未设置，可在“格式化选项”中添加）';
      return box;
    }
    for (const item of items) {
      const entry = document.createElement('div');
      entry.className = 'corvel-menu-item';
      entry.innerHTML = item;
      entry.addEventListener('mousedown', function (event) {
        event.preventDefault();
        choose(item);
        close();
      });
      box.appendChild(entry);
    }
    return box;
  }

  // Builds the editor; the article commands are also put on api for inspection and tests.
  function buildEditor(loaded, steps, store, api) {
    const s = loaded.settings;
    let editor = null;
    const setArticle = function (html) {
      editor.value = html; // one change, one undo step
    };
    const formatAll = function () {
      const html = CorvelFormatter.formatNode(parseFragment(editor.value), formatOptions(s, steps.automatic));
      if (html !== editor.value) setArticle(html);
    };
    const correctAll = function () {
      const body = parseFragment(editor.value);
      CorvelRules.eachTextNode(body, steps.correctOnly);
      if (body.innerHTML !== editor.value) setArticle(body.innerHTML);
    };
    const cleanHtml = function () {
      return CorvelFormatter.stripMarks(editor.value);
    };
    const plainText = function () {
      return CorvelFormatter.plainText(parseFragment(editor.value));
    };
    const insertDateline = (item) => setArticle(withDateline(editor.value, item, s.paragraphBeforeBlank));
    const insertEditorName = (item) => setArticle(withEditorLine(editor.value, item));
    api.format = formatAll;
    api.insertDateline = insertDateline;
    api.insertEditorName = insertEditorName;
    api.processPaste = (html) => processPaste(html, loaded, steps);
    api.correct = correctAll;
    api.cleanHtml = cleanHtml;
    api.plainText = plainText;
    const controls = {
      corvelFormat: { name: 'corvelFormat', text: '一键排版', tooltip: '一键排版：整理段落、图片和配文', exec: formatAll },
      corvelCorrect: {
        name: 'corvelCorrect',
        text: '错误更正',
        tooltip: '按错误更正规则文件修改全文',
        exec: correctAll,
      },
      corvelNew: {
        name: 'corvelNew',
        text: '新建文章',
        tooltip: '清空编辑器，开始一篇新文章',
        exec: function () {
          editor.confirm('确定要清空当前文章吗？清空后可以用“撤销”恢复。', '新建文章', function (yes) {
            if (!yes) return;
            setArticle('');
            store.saveNow('');
          });
        },
      },
      corvelCopyHtml: {
        name: 'corvelCopyHtml',
        text: '复制HTML',
        tooltip: '复制文章的HTML代码，可粘贴到发布网站',
        exec: function () {
          const html = cleanHtml();
          copyToClipboard(html, html);
        },
      },
      corvelCopyText: {
        name: 'corvelCopyText',
        text: '复制纯文本',
        tooltip: '复制文章的纯文本',
        exec: function () {
          copyToClipboard(null, plainText());
        },
      },
      corvelPageBreak: {
        name: 'corvelPageBreak',
        text: '分页符',
        tooltip: '插入分页符',
        exec: function () {
          editor.s.insertHTML('<p>' + escapeHtml(s.pageBreakTag) + '</p>');
        },
      },
      corvelDateline: {
        name: 'corvelDateline',
        text: '电头',
        tooltip: '在文章开头插入电头',
        popup: function (jodit, current, close) {
          return listPopup(s.datelines, insertDateline, close);
        },
      },
      corvelEditorName: {
        name: 'corvelEditorName',
        text: '责任编辑',
        tooltip: '在文章末尾插入责任编辑',
        popup: function (jodit, current, close) {
          return listPopup(s.editorNames, insertEditorName, close);
        },
      },
    };
    const buttons = CorvelToolbars.buttonsFor(s.toolbars);
    editor = Jodit.make('#editor', {
      language: 'zh_cn',
      toolbarAdaptive: false,
      buttons: buttons,
      controls: controls,
      // The editing area is an iframe so that the user's initial style (body{...}) applies
      // to the article alone.
      iframe: true,
      iframeStyle: (Jodit.defaultOptions.iframeStyle || '') +
        'p[data-corvel-mark]{background:#fff3cd;outline:1px dashed #d9534f;}' + s.initialStyle,
      // The height setting is the editing area's; the toolbar and status bar come on top.
      height: 'auto',
      allowResizeY: false,
      sourceEditor: 'area',
      beautifyHTML: false,
      showCharsCounter: false,
      showWordsCounter: false,
      showXPathInStatusbar: s.elementPath,
      hidePoweredByJodit: true,
      askBeforePasteHTML: false,
      askBeforePasteFromWord: false,
      defaultActionOnPaste: 'insert_as_html',
      uploader: { insertImageAsBase64URI: true },
      saveSelectionOnBlur: true,
    });
    return editor;
  }

  function fixEditingHeight(height) {
    const style = document.createElement('style');
    style.textContent =
      '.jodit-workplace{height:' + height + 'px !important;min-height:0 !important;}' +
      '.jodit-wysiwyg_iframe{height:100% !important;}';
    document.head.appendChild(style);
  }

  function addWordCounter(editor) {
    const counter = document.createElement('span');
    counter.className = 'corvel-word-count';
    const update = function () {
      counter.textContent = '字数：' + CorvelFormatter.countChars(editor.editor.textContent || '');
    };
    editor.statusbar.append(counter, true);
    editor.e.on('change keyup afterSetMode', update);
    update();
    return counter;
  }

  async function start() {
    const loaded = await loadSettings();
    const s = loaded.settings;
    const steps = textSteps(loaded);
    const store = CorvelArticleStore.create(window.localStorage, window, 800);
    const api = {
      jodit: null,
      toolbarSet: CorvelToolbars.setName(s.toolbars),
      wordCountShown: false,
      settings: s,
      notices: notices,
      ready: false,
    };
    window.corvelEditor = api;

    if (typeof Jodit === 'undefined') {
      notice('编辑器组件未能加载，请重新安装程序。文章仍会自动保存。');
      const area = document.getElementById('editor');
      area.outerHTML = '<div id="editor" class="corvel-fallback" contenteditable="true"></div>';
      const fallback = document.getElementById('editor');
      fallback.innerHTML = store.load() || '';
      fallback.addEventListener('input', () => store.changed(fallback.innerHTML));
      Object.defineProperty(api, 'html', { get: () => fallback.innerHTML });
      window.addEventListener('pagehide', () => store.saveNow(fallback.innerHTML));
      return;
    }

    fixEditingHeight(s.frameHeight);
    const editor = buildEditor(loaded, steps, store, api);
    api.jodit = editor;
    Object.defineProperty(api, 'html', { get: () => editor.value });

    const saved = store.load();
    if (saved) {
      editor.value = saved;
      editor.history.clear(); // the restored article is the starting point, not an undo step
    }
    editor.e.on('beforePasteInsert', (html) => (typeof html === 'string' ? processPaste(html, loaded, steps) : html));
    editor.e.on('change', () => store.changed(editor.value));
    const saveNow = () => store.saveNow(editor.value);
    window.addEventListener('beforeunload', saveNow);
    window.addEventListener('pagehide', saveNow);
    document.addEventListener('visibilitychange', saveNow);

    if (s.wordCount) {
      addWordCounter(editor);
      api.wordCountShown = true;
    }
    api.ready = true;
  }

  window.addEventListener('DOMContentLoaded', function () {
    start().catch(function (error) {
      notice('编辑器启动出错：' + (error && error.message ? error.message : error));
    });
  });
})();
