// Turns the option file's text values into the page's settings. Every value falls back to
// the shipped default when the key is missing or unusable, so a damaged web.ini still gives
// a working editor.
const TOOLBAR_SETS = ['All', 'Extended', 'Standard', 'Lite'];
const JUSTIFY = ['none', 'left', 'right', 'center'];
const CONVERSIONS = ['simplified', 'traditional', 'same'];
const LIST_SEPARATOR = '|-|';

const DEFAULTS = Object.freeze({
  toolbars: 'Standard',
  wordCount: true,
  elementPath: false,
  frameHeight: 520,
  pageBreakTag: '_ueditor_page_break_tag_',
  initialStyle: '',
  autoFormat: true,
  conversion: 'same',
  redundant: false,
  paragraphBeforeBlank: '\u3000\u3000',
  imageJustify: 'center',
  captionJustify: 'center',
  captionMaxLength: 0,
  captionEndSign: '',
  retainBold: true,
  datelines: [],
  editorNames: [],
  conversionFile: 'conversion.txt',
  redundantFile: 'redundant.txt',
  lawTermsFile: 'law-terms.txt',
});

// Only the exact word "true" is true, as in the settings dialogs.
function flag(value) {
  return value === 'true';
}

function oneOf(value, allowed, fallback) {
  return allowed.indexOf(value) >= 0 ? value : fallback;
}

// A whole positive decimal number, or the fallback ("520px", "-1", "0" and "" are not).
function positiveInt(value, fallback) {
  if (!/^[0-9]+$/.test(value)) return fallback;
  const n = parseInt(value, 10);
  return n > 0 && n <= 100000 ? n : fallback;
}

// "a|-|b|-|" -> ["a", "b"]: empty pieces would be empty menu entries.
function list(value) {
  return value.split(LIST_SEPARATOR).filter(function (piece) {
    return piece.trim() !== '';
  });
}

function fileName(value) {
  return value === '' ? undefined : value;
}

// [setting, section, key, conversion]; a conversion may return undefined for "use the default".
const KEYS = [
  ['toolbars', 'ueditor', 'toolbars', (v) => oneOf(v, TOOLBAR_SETS, 'Standard')],
  ['wordCount', 'ueditor', 'wordCount', flag],
  ['elementPath', 'ueditor', 'elementPathEnabled', flag],
  ['frameHeight', 'ueditor', 'initialFrameHeight', (v) => positiveInt(v, undefined)],
  ['pageBreakTag', 'ueditor', 'pageBreakTag', String],
  ['initialStyle', 'ueditor', 'initialStyle', String],
  ['autoFormat', 'auto_format', 'format', flag],
  ['conversion', 'auto_format', 'conversion', (v) => oneOf(v, CONVERSIONS, 'same')],
  ['redundant', 'auto_format', 'redundant', flag],
  ['paragraphBeforeBlank', 'format', 'paragraphBeforeBlank', String],
  ['imageJustify', 'format', 'imageJustify', (v) => oneOf(v, JUSTIFY, 'none')],
  ['captionJustify', 'format', 'imageCaptionText', (v) => oneOf(v, JUSTIFY, 'none')],
  // No usable limit means no limit: a caption is never marked on a guess.
  ['captionMaxLength', 'format', 'imageCaptionText_MaxLength', (v) => positiveInt(v, 0)],
  ['captionEndSign', 'format', 'imageCaptionText_EndSign', String],
  ['retainBold', 'format', 'retainBold', flag],
  ['datelines', 'format', 'dateline', list],
  ['editorNames', 'format', 'editorname', list],
  ['conversionFile', 'format', 'conversionFile', fileName],
  ['redundantFile', 'format', 'redundantFile', fileName],
  ['lawTermsFile', 'format', 'lawTermsFile', fileName],
];

// options: the lookup from CorvelOptionReader.parseOptions, or null when web.ini could not be read.
function fromOptions(options) {
  const settings = Object.assign({}, DEFAULTS);
  if (!options) return settings;
  for (const [name, section, key, convert] of KEYS) {
    if (!options.has(section, key)) continue;
    const value = convert(options.get(section, key));
    if (value !== undefined) settings[name] = value;
  }
  return settings;
}

// Whether web.ini holds at least one key the page reads. An empty, damaged or UTF-16 file
// holds none, and the user should hear that every setting is a default.
function holdsAnySetting(options) {
  return KEYS.some(([, section, key]) => options.has(section, key));
}

export { fromOptions, holdsAnySetting, DEFAULTS, TOOLBAR_SETS };
