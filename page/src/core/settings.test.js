// Option values become page settings; anything unusable falls back to the default. Cases in
// tests/page/fixtures/settings.json.
import test from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import * as reader from './option-reader.js';
import { fromOptions, holdsAnySetting, DEFAULTS } from './settings.js';
import { loadSettings, loadRules } from './page-settings.js';
import { repo, fixture } from '../testing/index.js';

const settingsOf = (lines) => fromOptions(reader.parseOptions(lines.join('\r\n')));

test('an unreadable web.ini gives the defaults', () => {
  assert.deepEqual(fromOptions(null), DEFAULTS);
  assert.deepEqual(settingsOf([]), DEFAULTS);
});

const cases = fixture('settings');

test('values map to settings, exactly as the dialogs store them', () => {
  for (const [lines, name, expected] of cases.values) {
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
  for (const [text, expected] of cases.holdsAnySetting) {
    assert.equal(holdsAnySetting(reader.parseOptions(text)), expected, JSON.stringify(text));
  }
});

test('the rule files are the ones web.ini names, read after web.ini and only those', async () => {
  const files = { 'web.ini': '[format]\nlawTermsFile=mine.txt\n', 'law-terms.txt': '最好', 'mine.txt': '最牛',
    'conversion.txt': '', 'redundant.txt': '', 'web-page-junk.txt': '' };
  for (const [name, ini, law, unread] of [['a name of its own', files['web.ini'], '最牛', 'law-terms.txt'], ['the usual name', '[format]\nlawTermsFile=law-terms.txt\n', '最好', 'mine.txt']]) {
    const asked = [];
    const load = async (file) => (asked.push(file), file === 'web.ini' ? ini : files[file] ?? null);
    const loaded = await loadSettings(() => {}, load);
    assert.deepEqual([asked, loaded.lawText], [['web.ini'], ''], name + ': web.ini alone before the editor is made');
    await loadRules(loaded, () => {}, load);
    assert.equal(loaded.lawText, law, name);
    assert.ok(!asked.includes(unread), name + ': ' + unread + ' is not read');
  }
});
