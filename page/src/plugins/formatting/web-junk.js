// The rules that take a web page's junk out of 一键排版 (share bars, pagination, tool bars,
// comment counts, related-article lists), read from the shipped rule file so that they can
// follow the sites without a new program. The file's grammar is explained at its head.
const KINDS = { 段落: 'lines', 列表: 'lists', 区块: 'words' };

// {lines, lists: [RegExp], words: Set}; a line that is not a rule, or a pattern that does
// not compile, is left out and named in `errors`.
function parseJunkRules(text) {
  const rules = { lines: [], lists: [], words: new Set(), errors: [] };
  String(text || '').split(/\r?\n/).forEach(function (line, i) {
    if (line.trim() === '' || line.trimStart().startsWith('#')) return;
    const m = /^\s*(\S+) (.+)$/.exec(line);
    const kind = m && KINDS[m[1]];
    if (!kind) return void rules.errors.push(i + 1);
    if (kind === 'words') return void rules.words.add(m[2].trim().toLowerCase());
    try {
      rules[kind].push(new RegExp('^(?:' + m[2].trim() + ')$', 'u'));
    } catch (e) {
      rules.errors.push(i + 1);
    }
  });
  rules.lines = anyOf(rules.lines);
  return rules;
}

// The line rules as one expression where that means the same: the engine then takes every
// paragraph of a long article once instead of once per rule, four times faster. Rules that
// refer back to a group by number or name keep their own expressions (joined, the numbers
// would point into another rule).
function anyOf(patterns) {
  if (patterns.length < 2 || patterns.some((re) => /\\(?:[1-9]|k<)/.test(re.source))) return patterns;
  try {
    return [new RegExp(patterns.map((re) => re.source).join('|'), 'u')];
  } catch (e) {
    return patterns;
  }
}

// Whether an element's class or id holds one of the words, as a piece between - and _.
function isJunkElement(rules, node) {
  if (!rules || rules.words.size === 0 || !node.getAttribute) return false;
  const className = node.getAttribute('class');
  const id = node.getAttribute('id');
  if (!className && !id) return false; // most paragraphs
  const names = ((className || '') + ' ' + (id || '')).toLowerCase();
  return names.split(/[\s_-]+/).some((piece) => rules.words.has(piece));
}

const matches = (patterns, text) => patterns.some((re) => re.test(text));

// text: a paragraph's text with its blanks collapsed and trimmed.
const isJunkLine = (rules, text) => !!rules && matches(rules.lines, text);
const startsJunkList = (rules, text) => !!rules && matches(rules.lists, text);

export { parseJunkRules, isJunkElement, isJunkLine, startsJunkList };
