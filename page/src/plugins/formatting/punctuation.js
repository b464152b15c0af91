// Chinese punctuation in Chinese text: half-width , : ; ! ? ( ) next to Chinese characters
// and . after them become full-width, and straight quotes around Chinese text become curly
// ones. Every change swaps one character for one, so callers can map the result back onto
// styled runs.
// Numbers (1,000 3.5 12:30), web and e-mail addresses and English text stay as they are.
const HAN = /\p{Script=Han}/u;
// Chinese characters and the full-width marks that sit among them.
const CHINESE = /[\p{Script=Han}\u3000-\u303f\uff01-\uff60\u2018\u2019\u201c\u201d\u2026\u2014]/u;
const ASCII_WORD = /[A-Za-z0-9]/;
const FULL = { ',': '，', ':': '：', ';': '；', '!': '！', '?': '？' };
// Addresses keep every character: their commas, colons and question marks are syntax.
// Punctuation at an address's end before Chinese text is the sentence's, not the address's.
// Found by scanning, each character once: one regular expression with a lazy run and a
// look-ahead took time growing with the square of a long run of letters in an opened file.
const ADDRESS_START = /https?:\/\/|ftp:\/\/|www\./g;
const ADDRESS_END = /[\s\u3000-\u303f\uff00-\uffef\p{Script=Han}]/u;
const SENTENCE_MARK = /[,;:!?]/;
const MAIL_NAME = /[\w.+-]/;
const MAIL_HOST = /[\w-]/;

function markAddresses(text, mask) {
  let covered = 0;
  for (const m of text.matchAll(ADDRESS_START)) {
    const after = m.index + m[0].length;
    if (m.index < covered) continue;
    let end = after;
    while (end < text.length) {
      const c = String.fromCodePoint(text.codePointAt(end));
      if (ADDRESS_END.test(c)) break;
      end += c.length;
    }
    if (end === after) continue;
    while (end > after + 1 && SENTENCE_MARK.test(text[end - 1])) end--;
    mask.fill(true, m.index, end);
    covered = end;
  }
}

// name@host.domain, the host with at least one dot.
function markMailAddresses(text, mask) {
  const run = (i, step, pattern) => {
    while (i + step >= 0 && i + step < text.length && pattern.test(text[i + step])) i += step;
    return i;
  };
  for (let at = text.indexOf('@'); at >= 0; at = text.indexOf('@', at + 1)) {
    const start = run(at, -1, MAIL_NAME);
    let end = run(at, 1, MAIL_HOST) + 1;
    if (start === at || end === at + 1) continue;
    let dotted = false;
    while (text[end] === '.' && MAIL_HOST.test(text[end + 1] || '')) {
      end = run(end + 1, 1, MAIL_HOST) + 1;
      dotted = true;
    }
    if (dotted) mask.fill(true, start, end);
  }
}

function protectedMask(text) {
  const mask = new Array(text.length).fill(false);
  markAddresses(text, mask);
  markMailAddresses(text, mask);
  return mask;
}

const isChinese = (c) => c !== undefined && CHINESE.test(c);

function fixMarks(chars, mask) {
  for (let i = 0; i < chars.length; i++) {
    const full = FULL[chars[i]];
    if (!full || mask[i]) continue;
    const prev = chars[i - 1];
    const next = chars[i + 1];
    const afterChinese = isChinese(prev) && !ASCII_WORD.test(next || '');
    // "共12,其中" and "Watch 3,售价": a number or word ends the clause and Chinese goes on;
    // "1,000" has digits on both sides.
    const beforeChinese = ASCII_WORD.test(prev || '') && next !== undefined && HAN.test(next);
    if (afterChinese || beforeChinese) chars[i] = full;
  }
}

// A full stop after Chinese text ends a Chinese sentence; "3.14", "www.x.com", English
// sentences and "..." keep theirs.
function fixFullStops(chars, mask) {
  for (let i = 0; i < chars.length; i++) {
    if (chars[i] !== '.' || mask[i] || chars[i - 1] === '.' || chars[i + 1] === '.') continue;
    if (isChinese(chars[i - 1]) && !ASCII_WORD.test(chars[i + 1] || '')) chars[i] = '。';
  }
}

// Pairs open/close marks left to right (no nesting) and converts a pair whose inside holds
// Chinese. skip(i) leaves a character out of the pairing (apostrophes in English words).
function fixPairs(chars, mask, open, close, fullOpen, fullClose, skip) {
  let start = -1;
  for (let i = 0; i < chars.length; i++) {
    if (mask[i] || (skip && skip(i))) continue;
    const c = chars[i];
    if (start < 0 && c === open) {
      start = i;
    } else if (start >= 0 && c === close) {
      const inner = chars.slice(start + 1, i).join('');
      if (HAN.test(inner)) {
        chars[start] = fullOpen;
        chars[i] = fullClose;
      }
      start = -1;
    } else if (start >= 0 && c === open && open !== close) {
      start = i; // an unmatched "(" before: pair with the nearer one
    }
  }
}

// The only characters fix() may change: most Chinese paragraphs hold none of them.
const CHANGEABLE = /[,:;!?()"'.]/;

function fix(text) {
  if (!CHANGEABLE.test(text)) return text;
  if (!HAN.test(text)) return text; // nothing Chinese: English and numbers alone
  const chars = text.split('');
  const mask = protectedMask(text);
  const apostrophe = (i) => /[A-Za-z]/.test(chars[i - 1] || '') && /[A-Za-z]/.test(chars[i + 1] || '');
  fixPairs(chars, mask, '(', ')', '（', '）');
  fixPairs(chars, mask, '"', '"', '“', '”');
  fixPairs(chars, mask, "'", "'", '‘', '’', apostrophe);
  fixMarks(chars, mask);
  fixFullStops(chars, mask);
  return chars.join('');
}

export { fix };
