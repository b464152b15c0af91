// Pastes follow the automatic-formatting settings: formatting, conversion and corrections.
import test from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { packages, repo, fixture } from '../../testing/index.js';
import { parseOptions } from '../../core/option-reader.js';
import { fromOptions } from '../../core/settings.js';
import { textSteps } from '../../core/text-steps.js';
import { processPaste } from './paste.js';

globalThis.OpenCC = packages('opencc-js');
const shipped = (name) => fs.readFileSync(`${repo}data/${name}`, 'utf8');

test('a paste is formatted, converted and corrected as [auto_format] says', () => {
  for (const [lines, pasted, expected] of fixture('paste').pastes) {
    const settings = fromOptions(parseOptions('[auto_format]\r\n' + lines));
    const loaded = { settings, conversionText: shipped('conversion.txt'), correctionText: shipped('redundant.txt') };
    assert.equal(processPaste(pasted, settings, textSteps(loaded, 'tw', assert.fail)), expected, lines);
  }
});
