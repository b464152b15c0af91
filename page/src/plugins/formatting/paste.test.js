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

test('a paste before the rule files are read waits for them, and is corrected by what they say', async () => {
  const settings = fromOptions(parseOptions('[auto_format]\r\nformat=false\r\nconversion=same\r\nredundant=true'));
  const loaded = { settings, conversionText: '', correctionText: '', lawText: '', junkText: '' };
  let read;
  const steps = textSteps(loaded, 't', assert.fail, new Promise((resolve) => (read = resolve)));
  assert.equal(steps.automatic, null, 'nothing runs on rule files not yet read');
  const pasted = steps.whenReady(() => processPaste('<p>再接再励</p>', settings, steps));
  Object.assign(loaded, { correctionText: '再接再励|||再接再厉' });
  read();
  assert.equal(await pasted, '<p>再接再厉</p>');
});
