// 字数 as Chinese word processors count it: each Chinese character and each full-width
// punctuation mark is one, and a run of other non-blank characters (a Latin word, a number,
// an address) is one. The second figure counts every character, blanks included.
// Chinese, Japanese and Korean characters and full-width punctuation: one each.
const WIDE = /[\p{Script=Han}\p{Script=Hiragana}\p{Script=Katakana}\p{Script=Hangul}\u3000-\u303f\uff01-\uff60\uffe0-\uffe6\u2014\u2018\u2019\u201c\u201d\u2026\u00b7\u2022]/u;
const BLANK = /[\s\u00a0\u3000\u200b\ufeff]/;

function count(text) {
  let words = 0;
  let inRun = false;
  let withBlanks = 0;
  for (const c of text) {
    if (c !== '\n' && c !== '\r' && c !== '\u200b' && c !== '\ufeff') withBlanks++;
    if (c !== '\u3000' && WIDE.test(c)) {
      words++;
      inRun = false;
    } else if (BLANK.test(c)) {
      inRun = false;
    } else if (!inRun) {
      words++;
      inRun = true;
    }
  }
  return { words: words, withBlanks: withBlanks };
}

// The article's text for counting: one line per block, page-break markers left out.
function textOf(root, pageBreakTag) {
  const lines = [];
  let line = '';
  const BLOCK = /^(P|DIV|H[1-6]|LI|TR|TD|TH|BLOCKQUOTE|PRE|TABLE|UL|OL|BR|HR)$/;
  const walk = function (node) {
    if (node.nodeType === 3) {
      line += node.nodeValue;
      return;
    }
    if (node.nodeType !== 1) return;
    const name = String(node.nodeName).toUpperCase();
    if (name === 'SCRIPT' || name === 'STYLE') return;
    const block = BLOCK.test(name);
    if (block) {
      lines.push(line);
      line = '';
    }
    for (let c = node.firstChild; c; c = c.nextSibling) walk(c);
    if (block) {
      lines.push(line);
      line = '';
    }
  };
  walk(root);
  lines.push(line);
  return lines.filter((l) => l.trim() !== '' && l.trim() !== pageBreakTag).join('\n');
}

export { count, textOf };
