// Option values become page settings; anything unusable falls back to the default.
import test from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import * as reader from './option-reader.js';
import { fromOptions, holdsAnySetting, DEFAULTS } from './settings.js';
import { repo } from '../testing/index.js';

const settingsOf = (lines) => fromOptions(reader.parseOptions(lines.join('\r\n')));

test('an unreadable web.ini gives the defaults', () => {
  assert.deepEqual(fromOptions(null), DEFAULTS);
  assert.deepEqual(settingsOf([]), DEFAULTS);
});

test('values map to settings, exactly as the dialogs store them', () => {
  const cases = [
    // [lines, setting, expected]
    [['[ueditor]', 'toolbars=Extended'], 'toolbars', 'Extended'],
    [['[ueditor]', 'toolbars=extended'], 'toolbars', 'Standard'],
    [['[ueditor]', 'toolbars='], 'toolbars', 'Standard'],
    [['[ueditor]', 'wordCount=false'], 'wordCount', false],
    [['[ueditor]', 'wordCount=True'], 'wordCount', false],
    [['[ueditor]', 'initialFrameHeight=380'], 'frameHeight', 380],
    [['[ueditor]', 'initialFrameHeight=380px'], 'frameHeight', 520],
    [['[ueditor]', 'initialFrameHeight=0'], 'frameHeight', 520],
    [['[ueditor]', 'initialFrameHeight=-5'], 'frameHeight', 520],
    [['[auto_format]', 'conversion=traditional'], 'conversion', 'traditional'],
    [['[auto_format]', 'conversion=Simplified'], 'conversion', 'same'],
    [['[format]', 'imageJustify=Left'], 'imageJustify', 'none'],
    [['[format]', 'imageCaptionText_MaxLength=abc'], 'captionMaxLength', 0],
    [['[format]', 'paragraphBeforeBlank='], 'paragraphBeforeBlank', ''],
    [['[format]', 'dateline=本报讯|-||-|<b>新华社</b>|-|'], 'datelines', ['本报讯', '<b>新华社</b>']],
    [['[format]', 'conversionFile='], 'conversionFile', 'conversion.txt'],
    [['[format]', 'redundantFile=rules\\fix.txt'], 'redundantFile', 'rules\\fix.txt'],
    [['[format]', 'lawTermsFile=my-terms.txt'], 'lawTermsFile', 'my-terms.txt'],
    [['[format]', 'lawTermsFile='], 'lawTermsFile', 'law-terms.txt'],
    [['[format]'], 'lawTermsFile', 'law-terms.txt'],
    // A key in the wrong section is not the setting.
    [['[format]', 'toolbars=Lite'], 'toolbars', 'Standard'],
  ];
  for (const [lines, name, expected] of cases) {
    assert.deepEqual(settingsOf(lines)[name], expected, lines.join(' / '));
  }
});

test('the shipped web.ini holds every key the page reads, and names the law-term file the program ships', () => {
  const options = reader.parseOptions(fs.readFileSync(`${repo}data/web.ini`, 'utf8'));
  const asked = [];
  const shipped = fromOptions({ has: (...key) => (asked.push(key), options.has(...key)), get: options.get });
  assert.ok(asked.length >= 20, `${asked.length} keys`);
  for (const key of asked) assert.ok(options.has(...key), key.join('/'));
  assert.ok(fs.existsSync(`${repo}data/${shipped.lawTermsFile}`), shipped.lawTermsFile);
});

test('a web.ini with no setting the page reads is told apart from one with a few', () => {
  const cases = [
    // [file text, holds a setting]
    ['', false],
    ['\u0000\u0001garbage\ufffd', false],
    // UTF-16 read as UTF-8: every character is followed by a zero.
    ['[\u0000u\u0000e\u0000d\u0000i\u0000t\u0000o\u0000r\u0000]\u0000\r\u0000\n\u0000', false],
    ['[ueditor]\r\nunknownKey=1', false],
    ['[format]\r\ntoolbars=Lite', false],
    ['[format]\nretainBold=false\n', true],
    ['[ueditor]\r\ntoolbars=', true],
  ];
  for (const [text, expected] of cases) {
    assert.equal(holdsAnySetting(reader.parseOptions(text)), expected, JSON.stringify(text));
  }
});
