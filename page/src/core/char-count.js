// 字数, the one count that the status bar, the article list, the history and the exports show,
// as Chinese word processors count it: each Chinese, Japanese or Korean character and each
// full-width punctuation mark is one, and a run of other non-blank characters (a Latin word, a
// number, an address) is one. The second figure counts every character, blanks included.
// The host stores the figure the page sends; it never counts by itself.
const WIDE = /[\p{Script=Han}\p{Script=Hiragana}\p{Script=Katakana}\p{Script=Hangul}\u3001-\u303f\uff01-\uff60\uffe0-\uffe6\u2014\u2018\u2019\u201c\u201d\u2026\u00b7\u2022]/u;
const BLANK = /[\s\u00a0\u3000\u200b\ufeff]/u;
const OTHER = 0;
const IS_WIDE = 1;
const IS_BLANK = 2;

// Each code point is classed by the expressions once; typing then costs a table look-up.
const kinds = new Map();
function kindOf(code) {
  let kind = kinds.get(code);
  if (kind === undefined) {
    const c = String.fromCodePoint(code);
    kind = WIDE.test(c) ? IS_WIDE : BLANK.test(c) ? IS_BLANK : OTHER;
    kinds.set(code, kind);
  }
  return kind;
}

function count(text) {
  let words = 0;
  let withBlanks = 0;
  let inRun = false;
  for (let i = 0; i < text.length; i++) {
    let code = text.charCodeAt(i);
    if (code >= 0xd800 && code <= 0xdbff && i + 1 < text.length) {
      code = text.codePointAt(i);
      if (code > 0xffff) i++;
    }
    let kind;
    if (code < 0x80) kind = code === 32 || (code >= 9 && code <= 13) ? IS_BLANK : OTHER;
    else if (code >= 0x4e00 && code <= 0x9fff) kind = IS_WIDE;
    else kind = kindOf(code);
    if (code !== 10 && code !== 13 && code !== 0x200b && code !== 0xfeff) withBlanks++;
    if (kind === IS_WIDE) {
      words++;
      inRun = false;
    } else if (kind === IS_BLANK) {
      inRun = false;
    } else if (!inRun) {
      words++;
      inRun = true;
    }
  }
  return { words: words, withBlanks: withBlanks };
}

const BLOCK = /^(P|DIV|H[1-6]|LI|TR|TD|TH|BLOCKQUOTE|PRE|TABLE|UL|OL|BR|HR)$/;
const isBlock = (node) => node.nodeType === 1 && BLOCK.test(String(node.nodeName).toUpperCase());

// The lines a node shows, one per block, appended to `lines`; `line` is the open line's text
// so far. Returns the text of the line left open.
function walkLines(node, lines, line) {
  if (node.nodeType === 3) return line + node.nodeValue;
  if (node.nodeType !== 1) return line;
  const name = String(node.nodeName).toUpperCase();
  if (name === 'SCRIPT' || name === 'STYLE') return line;
  const block = BLOCK.test(name);
  if (block) {
    lines.push(line);
    line = '';
  }
  for (let c = node.firstChild; c; c = c.nextSibling) line = walkLines(c, lines, line);
  if (block) {
    lines.push(line);
    line = '';
  }
  return line;
}

// The lines that count: not blank, not the page-break marker.
function shownLines(lines, pageBreakTag) {
  return lines.filter((l) => l.trim() !== '' && l.trim() !== pageBreakTag);
}

// The article's text for counting: one line per block, page-break markers left out.
function textOf(root, pageBreakTag) {
  const lines = [];
  lines.push(walkLines(root, lines, ''));
  return shownLines(lines, pageBreakTag).join('\n');
}

// The count of some lines, and the first of them trimmed (the article's automatic title).
function countLines(lines, pageBreakTag) {
  const shown = shownLines(lines, pageBreakTag);
  const total = { words: 0, withBlanks: 0, first: '' };
  for (const line of shown) {
    const n = count(line);
    total.words += n.words;
    total.withBlanks += n.withBlanks;
    if (total.first === '') total.first = line.replace(/^[\s\u3000]+|[\s\u3000]+$/g, '').replace(/[ \t\r\n\u00a0]+/g, ' ');
  }
  return total;
}

const TITLE_MAX = 60;

// The figures of a whole article: {words, withBlanks, title}.
function describeRoot(root, pageBreakTag) {
  const lines = [];
  lines.push(walkLines(root, lines, ''));
  const n = countLines(lines, pageBreakTag);
  return { words: n.words, withBlanks: n.withBlanks, title: n.first.slice(0, TITLE_MAX) };
}

// The same figures of the editor's article, kept up to date per block: a change re-counts only
// the top-level blocks it touched, so a long article costs nothing more per key.
function liveCount(root, pageBreakTag) {
  const cache = new WeakMap(); // top-level block -> its countLines()
  const Observer = root.ownerDocument.defaultView.MutationObserver;
  const forget = function (records) {
    for (const record of records) {
      let node = record.target;
      while (node && node.parentNode !== root) node = node.parentNode;
      if (node) cache.delete(node);
    }
  };
  const observer = new Observer(forget);
  observer.observe(root, { subtree: true, childList: true, characterData: true });
  const of = function (block) {
    let n = cache.get(block);
    if (!n) {
      const lines = [];
      lines.push(walkLines(block, lines, ''));
      n = countLines(lines, pageBreakTag);
      cache.set(block, n);
    }
    return n;
  };
  return {
    now: function () {
      forget(observer.takeRecords());
      const total = { words: 0, withBlanks: 0, first: '' };
      const add = function (n) {
        total.words += n.words;
        total.withBlanks += n.withBlanks;
        if (total.first === '') total.first = n.first;
      };
      // Inline nodes at the top level share a line with their inline neighbours.
      let open = null;
      for (let c = root.firstChild; c; c = c.nextSibling) {
        const known = cache.get(c);
        if (known) {
          if (open !== null) add(countLines([open], pageBreakTag));
          open = null;
          add(known);
        } else if (isBlock(c)) {
          if (open !== null) add(countLines([open], pageBreakTag));
          open = null;
          add(of(c));
        } else {
          const lines = [];
          open = walkLines(c, lines, open || '');
          if (lines.length) add(countLines(lines, pageBreakTag));
        }
      }
      if (open !== null) add(countLines([open], pageBreakTag));
      return { words: total.words, withBlanks: total.withBlanks, title: total.first.slice(0, TITLE_MAX) };
    },
    stop: () => observer.disconnect(),
  };
}

export { count, textOf, describeRoot, liveCount };
