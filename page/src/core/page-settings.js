// Reads web.ini, the three rule files it names and the web-page junk rules, on every load; whatever cannot be read is
// told to the user and replaced by the defaults.
import { loadText } from './text-loader.js';
import { parseOptions } from './option-reader.js';
import * as settingsOf from './settings.js';

const JUNK_FILE = 'web-page-junk.txt';

// load(name): the file's text or null (the page's own loader unless a test gives one).
// web.ini only: the editor is made with its settings. The rule files' texts are empty until
// loadRules() has read them, after the editor's first frame.
async function loadSettings(notice, load = loadText) {
  const iniText = await load('web.ini');
  if (iniText === null) notice('未能读取设置文件 web.ini，已使用默认设置。');
  const options = iniText === null ? null : parseOptions(iniText);
  if (options && !settingsOf.holdsAnySetting(options)) {
    notice('设置文件 web.ini 中读不到任何设置（文件是空的、已损坏，或不是 UTF-8 编码），已使用默认设置。' +
      '请用安装包中原有的 web.ini 替换它，或重新安装程序。');
  }
  return { settings: settingsOf.fromOptions(options), conversionText: '', correctionText: '', lawText: '', junkText: '' };
}

// The three rule files web.ini names and the web-page junk rules, into `loaded`.
async function loadRules(loaded, notice, load = loadText) {
  const settings = loaded.settings;
  const [conversionText, correctionText, lawText, junkText] = await Promise.all([
    load(settings.conversionFile),
    load(settings.redundantFile),
    load(settings.lawTermsFile),
    load(JUNK_FILE),
  ]);
  if (conversionText === null) notice('未能读取简繁转换规则文件 ' + settings.conversionFile + '，只使用内置转换。');
  if (correctionText === null) notice('未能读取错误更正规则文件 ' + settings.redundantFile + '，错误更正不可用。');
  if (lawText === null) notice('未能读取广告法用语规则文件 ' + settings.lawTermsFile + '，广告法用语检查不可用。');
  if (junkText === null) notice('未能读取网页杂项规则文件 ' + JUNK_FILE + '，一键排版不会去掉网页的分享栏、翻页等内容。');
  return Object.assign(loaded, {
    conversionText: conversionText || '',
    correctionText: correctionText || '',
    lawText: lawText || '',
    junkText: junkText || '',
  });
}

export { loadSettings, loadRules };
