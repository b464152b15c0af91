// The page's reader must read web.ini exactly as the program's option store does: the
// shared case table is the common definition for both.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const reader = require('../../page/editor/js/option-reader.js');

const read = (file) => fs.readFileSync(`${__dirname}/../${file}`, 'utf8');

test('shared option-file cases', async (t) => {
  const { cases } = JSON.parse(read('data/option_file_cases.json'));
  // The page also strips a byte-order mark: without that, the first line would be a key line.
  cases.push({ name: 'BOM', input: '\ufeff[s]\r\nk=v', entries: [['A_s_K_k', 'v']], get: [['s', 'k', 'v']] });
  cases.push({ name: 'BOM before a key', input: '\ufeffk=v', entries: [['A__K_k', 'v']] });
  cases.push({ name: 'BOM before an LF-only file', input: '\ufeff[s]\nk=v\n', entries: [['A_s_K_k', 'v']] });
  for (const c of cases) {
    await t.test(c.name, () => {
      assert.deepEqual(reader.parseEntries(c.input), c.entries);
      const options = reader.parseOptions(c.input);
      for (const [section, key, expected] of c.get || []) {
        assert.equal(options.get(section, key), expected, `${section}/${key}`);
      }
    });
  }
});

test('the shipped web.ini holds every key the page reads', () => {
  const options = reader.parseOptions(read('../data/web.ini'));
  const keys = {
    ueditor: 'toolbars wordCount elementPathEnabled initialFrameHeight pageBreakTag initialStyle',
    auto_format: 'format conversion redundant',
    format: 'paragraphBeforeBlank imageJustify imageCaptionText imageCaptionText_MaxLength ' +
      'imageCaptionText_EndSign retainBold dateline editorname conversionFile redundantFile',
  };
  for (const [section, names] of Object.entries(keys)) {
    for (const key of names.split(' ')) assert.ok(options.has(section, key), `${section}/${key}`);
  }
});
