// Finding and replacing text in the whole article, text node by text node. Optionally
// full-width letters, digits and marks match their half-width forms: folding maps one
// character to one, so a match's place in the folded text is its place in the original.
const FOLDED = { '\u3000': ' ', '\uFF61': '\u3002', '\uFF62': '\u300C', '\uFF63': '\u300D', '\uFF64': '\u3001' };

function fold(text) {
  return text.replace(/[\uFF01-\uFF5E\u3000\uFF61-\uFF64]/g,
    (c) => FOLDED[c] || String.fromCharCode(c.charCodeAt(0) - 0xfee0));
}

// The start of each match of needle in text, left to right, none overlapping.
function matchesIn(text, needle, loose) {
  if (!needle) return [];
  const hay = loose ? fold(text) : text;
  const want = loose ? fold(needle) : needle;
  const found = [];
  for (let at = hay.indexOf(want); at >= 0; at = hay.indexOf(want, at + want.length)) found.push(at);
  return found;
}

// Every text node under root, in reading order.
function textNodes(root) {
  const out = [];
  (function walk(node) {
    for (let child = node.firstChild; child; child = child.nextSibling) {
      if (child.nodeType === 3) out.push(child);
      else if (child.nodeType === 1) walk(child);
    }
  })(root);
  return out;
}

// Replaces every match under root in place; returns how many there were.
function replaceAll(root, needle, replacement, loose) {
  let count = 0;
  for (const node of textNodes(root)) {
    const text = node.nodeValue;
    const found = matchesIn(text, needle, loose);
    if (found.length === 0) continue;
    let out = '';
    let from = 0;
    for (const at of found) {
      out += text.slice(from, at) + replacement;
      from = at + needle.length;
    }
    node.nodeValue = out + text.slice(from);
    count += found.length;
  }
  return count;
}

// The first match after (node, offset) in reading order, wrapping round to the start:
// {node, start, end}, or null when there is none.
function findNext(root, needle, loose, node, offset) {
  const nodes = textNodes(root);
  if (nodes.length === 0) return null;
  const from = Math.max(0, nodes.indexOf(node));
  for (let i = 0; i <= nodes.length; i++) {
    const n = nodes[(from + i) % nodes.length];
    const found = matchesIn(n.nodeValue, needle, loose);
    const at = i === 0 && n === node ? found.find((a) => a >= offset) : found[0];
    if (at !== undefined) return { node: n, start: at, end: at + needle.length };
  }
  return null;
}

const countIn = (root, needle, loose) => textNodes(root).reduce((sum, n) => sum + matchesIn(n.nodeValue, needle, loose).length, 0);

export { fold, matchesIn, replaceAll, findNext, countIn };
