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

  // standard: 'tw' or 'hk', the traditional form the writer chose.
  function openccFactory() {
    if (typeof OpenCC === 'undefined') return null;
    return function (direction, standard) {
      const variant = standard === 'hk' ? 'hk' : 'tw';
      return direction === 'traditional'
        ? OpenCC.Converter({ from: 'cn', to: variant })
        : OpenCC.Converter({ from: variant, to: 'cn' });
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
    const [conversionText, correctionText, lawText] = await Promise.all([
      CorvelTextLoader.loadText(settings.conversionFile),
      CorvelTextLoader.loadText(settings.redundantFile),
      CorvelTextLoader.loadText(settings.lawTermsFile),
    ]);
    if (conversionText === null) {
      notice('未能读取简繁转换规则文件 ' + settings.conversionFile + '，只使用内置转换。');
    }
    if (correctionText === null) {
      notice('未能读取错误更正规则文件 ' + settings.redundantFile + '，错误更正不可用。');
    }
    if (lawText === null) {
      notice('未能读取广告法用语规则文件 ' + settings.lawTermsFile + '，广告法用语检查不可用。');
    }
    return {
      settings: settings,
      conversionText: conversionText || '',
      correctionText: correctionText || '',
      lawText: lawText || '',
    };
  }

  // The text steps that paste and formatting run, according to the settings.
  function textSteps(loaded, standard) {
    const s = loaded.settings;
    const factory = openccFactory();
    if (s.conversion !== 'same' && !factory) notice('简繁转换组件未能加载，只使用转换规则文件。');
    const opencc = factory ? (direction) => factory(direction, standard) : null;
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
      punctuate: CorvelPunctuation.fix,
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

  function withDateline(html, dateline, indent) {
    const body = parseFragment(html);
    CorvelDateline.insertInto(body, dateline, indent, new Date());
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
  function buildEditor(loaded, steps, store, api, documents) {
    const s = loaded.settings;
    let editor = null;
    const setArticle = function (html) {
      editor.value = html; // one change, one undo step
    };
    const tools = CorvelArticleTools.create({
      editor: () => editor,
      setArticle: setArticle,
      parseFragment: parseFragment,
      loaded: loaded,
      steps: steps,
      opencc: openccFactory(),
      storage: window.localStorage,
      // Whole-text changes keep the text before them in the article's history.
      keepVersion: (why) => api.keepVersion(why),
    });
    api.tools = tools;
    const formatAll = function () {
      const html = CorvelFormatter.formatNode(parseFragment(editor.value), formatOptions(s, steps.automatic));
      if (html === editor.value) return;
      api.keepVersion('format');
      setArticle(html);
    };
    const correctAll = () => tools.correct();
    const cleanHtml = function () {
      return CorvelLawCheck.stripMarks(editor.value);
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
    api.setArticle = setArticle;
    api.copyToClipboard = copyToClipboard;
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
          api.copied(copyToClipboard(html, html));
        },
      },
      corvelCopyText: {
        name: 'corvelCopyText',
        text: '复制纯文本',
        tooltip: '复制文章的纯文本',
        exec: function () {
          api.copied(copyToClipboard(null, plainText()));
        },
      },
      corvelPageBreak: {
        name: 'corvelPageBreak',
        text: '分页符',
        tooltip: '插入分页符',
        exec: function () {
          editor.s.insertHTML(tools.pageBreakHtml());
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
    Object.assign(controls, tools.controls);
    // An atom replaces Jodit's own font list instead of being merged into it.
    controls.font = Object.assign({}, Jodit.defaultOptions.controls.font, { list: Jodit.atom(CorvelJoditZh.FONTS) });
    const buttons = CorvelToolbars.buttonsFor(s.toolbars).filter((b) => documents || !CorvelToolbars.DOCUMENTS.includes(b));
    editor = Jodit.make('#editor', {
      language: 'zh_cn',
      i18n: { zh_cn: CorvelJoditZh.TEXTS },
      toolbarAdaptive: false,
      buttons: buttons,
      // With the program's article store, its commands replace the page-only ones.
      controls: documents ? Object.assign(controls, documents.controls) : controls,
      // The editing area is an iframe so that the user's initial style (body{...}) applies
      // to the article alone.
      iframe: true,
      iframeStyle: (Jodit.defaultOptions.iframeStyle || '') + CorvelArticleTools.IFRAME_STYLE +
        'span[data-corvel-mark]{color:#b02a37;background:#fde8ea;border:1px dashed #d9534f;padding:0 4px;}' +
        'img[data-corvel-mark]{outline:3px dashed #d9534f;min-width:120px;min-height:60px;}' + s.initialStyle,
      // The height setting is the editing area's least height; the layout makes the editor
      // fill the window and the article scroll inside it.
      height: s.frameHeight + 120,
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
      uploader: { insertImageAsBase64URI: true },
      saveSelectionOnBlur: true,
    });
    return editor;
  }

  async function start() {
    const loaded = await loadSettings();
    const s = loaded.settings;
    const steps = textSteps(loaded, CorvelArticleTools.rememberedStandard(window.localStorage));
    const store = CorvelArticleStore.create(window.localStorage, window, 800);
    const api = {
      jodit: null,
      toolbarSet: CorvelToolbars.setName(s.toolbars),
      wordCountShown: false,
      settings: s,
      notices: notices,
      board: CorvelNoticeBoard.create(document.getElementById('corvel-notices'), window),
      keepVersion: function () {},
      ready: false,
    };
    api.copied = (ok) => api.board.flash(ok ? '已复制' : '未能复制，请再试一次。');
    window.corvelEditor = api;
    const host = await window.CorvelHostReady;
    const documents = host && window.CorvelArticleCommands ? CorvelArticleCommands.create(api, host) : null;

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

    const editor = buildEditor(loaded, steps, store, api, documents);
    api.jodit = editor;
    Object.defineProperty(api, 'html', { get: () => editor.value });
    // The page-break divider's own attributes never leave the editor.
    editor.e.on('afterGetValueFromEditor', (data) => {
      data.value = api.tools.undecorate(data.value);
    });
    editor.e.on('postProcessSetEditorValue change', api.tools.decoratePageBreaks);
    api.fit = CorvelLayout.attach(editor, s.frameHeight);

    editor.e.on('beforePasteInsert', (html) => (typeof html === 'string' ? processPaste(html, loaded, steps) : html));
    if (documents) {
      await documents.start(store.load());
    } else {
      notice('未连接到程序的文章库：文章只保存在本页面中，不能打开、导出或查看历史。');
      const saved = store.load();
      if (saved) {
        editor.value = CorvelLawCheck.stripMarks(saved); // marks of an earlier check go
        editor.history.clear(); // the restored article is the starting point, not an undo step
      }
      editor.e.on('change', () => store.changed(editor.value));
      const saveNow = () => store.saveNow(editor.value);
      window.addEventListener('beforeunload', saveNow);
      window.addEventListener('pagehide', saveNow);
      document.addEventListener('visibilitychange', saveNow);
    }

    if (s.wordCount) {
      api.tools.addWordCounter();
      api.wordCountShown = true;
    }
    api.fit();
    api.ready = true;
  }

  window.addEventListener('DOMContentLoaded', function () {
    start().catch(function (error) {
      notice('编辑器启动出错：' + (error && error.message ? error.message : error));
    });
  });
})();
