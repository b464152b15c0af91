// Pastes follow the automatic-formatting settings: formatting, conversion and corrections.
import test from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { packages, repo } from '../../testing/index.js';
import { parseOptions } from '../../core/option-reader.js';
import { fromOptions } from '../../core/settings.js';
import { textSteps } from '../../core/text-steps.js';
import { processPaste } from './paste.js';

globalThis.OpenCC = packages('opencc-js');
const FORM = '<form action="https://example.org/"><p>姓名<input name="n"><button>提交</button></p></form>';
const shipped = (name) => fs.readFileSync(`${repo}data/${name}`, 'utf8');

test('a paste is formatted, converted and corrected as [auto_format] says', () => {
  const wordList = (n, text) => `<p class=MsoListParagraph style='mso-list:l0 level1 lfo1'><![if !supportLists]>` +
    `<span>${n}.<span>&nbsp;&nbsp;</span></span><![endif]>${text}</p>`;
  const cases = [
    // [auto_format lines, pasted, expected]
    ['format=true\r\nconversion=traditional\r\nredundant=true',
      "<p class=MsoNormal><span style='font-family:宋体'>这款软件再接再励<o:p></o:p></span></p><p class=MsoNormal><o:p>&nbsp;</o:p></p>",
      '<p>　　這款軟體再接再厲</p>'],
    ['format=false\r\nconversion=simplified\r\nredundant=false', '<p class="x">這款軟體</p>', '<p class="x">这款软件</p>'],
    // A word pasted into a paragraph stays inline: no new paragraph, no indent.
    ['format=true\r\nconversion=same\r\nredundant=true', '再接再励', '再接再厉'],
    // Word's fake list stays a list, with Chinese punctuation.
    ['format=true\r\nconversion=same\r\nredundant=false', wordList(1, '第一项(试行)') + wordList(2, '第二项,完成'),
      '<ol><li>第一项（试行）</li><li>第二项，完成</li></ol>'],
    // A pasted form and its fields go, their text stays, whether formatted or not.
    ['format=true\r\nconversion=same\r\nredundant=false', FORM, '<p>　　姓名提交</p>'],
    ['format=false\r\nconversion=same\r\nredundant=false', FORM, '<p>姓名提交</p>'],
  ];
  for (const [lines, pasted, expected] of cases) {
    const settings = fromOptions(parseOptions('[auto_format]\r\n' + lines));
    const loaded = { settings, conversionText: shipped('conversion.txt'), correctionText: shipped('redundant.txt') };
    assert.equal(processPaste(pasted, settings, textSteps(loaded, 'tw', assert.fail)), expected, lines);
  }
});
