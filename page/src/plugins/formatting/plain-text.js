// Plain text (a plain-text paste, an opened .txt) as article HTML, read the way Chinese
// writers lay it out: a short first line is the title, short lines that start "一、" are
// subheadings and those that start "（一）" the level below, and a run of lines numbered
// "1." "2." … is a numbered list. Every other line is a paragraph.
import { escapeHtml } from '../../core/html.js';
import { isShortLine } from './formatter.js';

const SECTION = /^[一二三四五六七八九十]{1,3}、/;
const SUBSECTION = /^[（(][一二三四五六七八九十]{1,3}[）)]/;
const NUMBERED = /^(\d{1,3})[.．、]\s*(?=\S)/;

function tagged(tag, text) {
  return '<' + tag + '>' + escapeHtml(text) + '</' + tag + '>';
}

function plainTextToHtml(text) {
  const lines = String(text).split(/\r\n|\r|\n/).map((line) => line.trim()).filter((line) => line !== '');
  const out = [];
  for (let i = 0; i < lines.length; i++) {
    const line = lines[i];
    // A numbered list counts from 1 without a gap; anything else keeps its numbers as text.
    let n = 0;
    while (i + n < lines.length && Number((NUMBERED.exec(lines[i + n]) || [])[1]) === n + 1) n++;
    if (n >= 2) {
      out.push('<ol>' + lines.slice(i, i + n).map((l) => tagged('li', l.replace(NUMBERED, ''))).join('') + '</ol>');
      i += n - 1;
    } else if (i === 0 && lines.length > 1 && isShortLine(line)) {
      out.push(tagged('h1', line));
    } else if (SECTION.test(line) && isShortLine(line)) {
      out.push(tagged('h2', line));
    } else if (SUBSECTION.test(line) && isShortLine(line)) {
      out.push(tagged('h3', line));
    } else {
      out.push(tagged('p', line));
    }
  }
  return out.join('');
}

export { plainTextToHtml };
