// The two rule files and how they change text: the conversion list ("simplified|||traditional")
// and the correction list ("wrong|||right", "text|||" removes). Rules work on text only;
// the page hands them text nodes, so tags and attributes are never touched.
import { build } from './term-automaton.js';

const SEPARATOR = '|||';

// Rule files are edited in a Windows text box, so CR LF is usual; a lone LF or CR is
// accepted too. "#" starts a comment; blank lines and lines without "|||" are skipped.
function parsePairs(text) {
  if (text.charCodeAt(0) === 0xfeff) text = text.slice(1);
  const pairs = [];
  for (const line of text.split(/\r\n|\n|\r/)) {
    if (line.trim() === '' || line[0] === '#') continue;
    const at = line.indexOf(SEPARATOR);
    if (at <= 0) continue; // no separator, or nothing to look for
    pairs.push([line.slice(0, at), line.slice(at + SEPARATOR.length)]);
  }
  return pairs;
}

// A replacer that scans left to right and at each position takes the longest matching
// source text. One pass: a replacement is never itself replaced again, so the result
// does not depend on the order of the lines, and the same rule run twice changes nothing
// more unless its own result contains its source.
function makeReplacer(pairs) {
  const sources = pairs.map(([from]) => from);
  const automaton = build(sources);
  // Calls onMatch(replacement, source) for matches and onText(text) for the stretches between.
  function scan(text, onText, onMatch) {
    let plainStart = 0;
    automaton.each(text, function (start, end, index) {
      if (start > plainStart) onText(text.slice(plainStart, start));
      onMatch(pairs[index][1], text.slice(start, end));
      plainStart = end;
    });
    if (plainStart < text.length) onText(text.slice(plainStart));
  }
  return {
    empty: automaton.empty,
    // Replaces every match; stretches between matches go through convertPlain. onHit, if
    // given, hears where each replacement landed in the result (start, length, source).
    apply: function (text, convertPlain, onHit) {
      if (automaton.empty) return convertPlain ? convertPlain(text) : text;
      let out = '';
      scan(
        text,
        (plain) => (out += convertPlain ? convertPlain(plain) : plain),
        (replacement, source) => {
          if (onHit) onHit(out.length, replacement.length, source);
          out += replacement;
        },
      );
      return out;
    },
  };
}

function corrector(correctionText) {
  // Built at first use, not while the editor starts: a long rule file takes milliseconds.
  let replacer = null;
  return (text, onHit) => (replacer || (replacer = makeReplacer(parsePairs(correctionText)))).apply(text, null, onHit);
}

// The conversion file's pairs for one traditional standard: pairs under "# 【台湾】" or
// "# 【香港】" are that region's wording and apply only when it is chosen; pairs before any
// such line, or under "# 【通用】", always apply.
const REGIONS = { 台湾: 'tw', 香港: 'hk', 通用: '' };
function regionPairs(conversionText, standard) {
  let region = '';
  const lines = [];
  for (const line of conversionText.split(/\r\n|\n|\r/)) {
    const header = /^#\s*【([^】]+)】/.exec(line);
    if (header && Object.prototype.hasOwnProperty.call(REGIONS, header[1])) region = REGIONS[header[1]];
    else if (region === '' || region === standard) lines.push(line);
  }
  return parsePairs(lines.join('\n'));
}

// direction: "simplified" or "traditional" ("same" gives null: nothing to do); standard: the
// traditional standard chosen ('t', 'tw' or 'hk'). The user's pairs are applied first and
// their results kept; opencc converts the rest.
function converter(conversionText, direction, opencc, standard) {
  if (direction !== 'simplified' && direction !== 'traditional') return null;
  const toTraditional = direction === 'traditional';
  const pairs = regionPairs(conversionText, standard || 't')
    .filter(([s, t]) => s !== '' && t !== '')
    .map(([s, t]) => (toTraditional ? [s, t] : [t, s]));
  const replacer = makeReplacer(pairs);
  const library = opencc ? opencc(direction) : null;
  return (text) => replacer.apply(text, library);
}

// Runs fn over the value of every text node below root, and over image alt text, which
// readers see as text too (DOM-agnostic: only nodeType, childNodes, nodeValue and the
// attribute methods are used). Text that does not change is left alone.
function eachTextNode(root, fn) {
  const stack = [root];
  while (stack.length) {
    const node = stack.pop();
    if (node.nodeType === 3) {
      const before = node.nodeValue;
      const after = fn(before);
      if (after !== before) node.nodeValue = after;
    } else if (node.nodeType === 1 && /^img$/i.test(node.nodeName) && node.hasAttribute('alt')) {
      const before = node.getAttribute('alt');
      const after = fn(before);
      if (after !== before) node.setAttribute('alt', after);
    } else if (node.childNodes) {
      for (let i = node.childNodes.length - 1; i >= 0; i--) stack.push(node.childNodes[i]);
    }
  }
}

// The text nodes below root in document order (DOM-agnostic, like eachTextNode).
function textNodes(root) {
  const nodes = [];
  const walk = function (node) {
    if (node.nodeType === 3) nodes.push(node);
    for (let c = node.firstChild; c; c = c.nextSibling) walk(c);
  };
  walk(root);
  return nodes;
}

// The pipeline used on paste and by formatting: corrections first (rules are written in
// the writer's usual script), then conversion. Either step may be switched off.
function textPipeline(options) {
  const steps = [];
  if (options.correct) steps.push(options.correct);
  if (options.convert) steps.push(options.convert);
  return (text) => steps.reduce((t, step) => step(t), text);
}

export { parsePairs, corrector, converter, eachTextNode, textNodes, textPipeline };
