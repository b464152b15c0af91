// The page's reader must read web.ini exactly as the program's option store does: the
// shared case table is the common definition for both.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const fs = require('node:fs');
const reader = require('../../page/editor/js/option-reader.js');

const table = JSON.parse(
  fs.readFileSync(path.join(__dirname, '..', 'data', 'option_file_cases.json'), 'utf8'),
);

test('shared option-file cases', async (t) => {
  for (const c of table.cases) {
    await t.test(c.name, () => {
      assert.deepEqual(reader.parseEntries(c.input), c.entries);
      const options = reader.parseOptions(c.input);
      for (const [section, key, expected] of c.get || []) {
        assert.equal(options.get(section, key), expected, `${section}/${key}`);
      }
    });
  }
});

test('a byte-order mark at the head is not part of the first line', () => {
  const options = reader.parseOptions('\ufeff[ueditor]\r\ntoolbars=Lite');
  assert.equal(options.get('ueditor', 'toolbars'), 'Lite');
  // Without stripping, the first line would be a key line, not a header.
  assert.deepEqual(reader.parseEntries('\ufeffk=v'), [['A__K_k', 'v']]);
});

test('the shipped web.ini holds every key the page reads', () => {
  const text = fs.readFileSync(path.join(__dirname, '..', '..', 'data', 'web.ini'), 'utf8');
  const options = reader.parseOptions(text);
  const keys = {
    ueditor: ['toolbars', 'wordCount', 'elementPathEnabled', 'initialFrameHeight', 'pageBreakTag', 'initialStyle'],
    auto_format: ['format', 'conversion', 'redundant'],
    format: ['paragraphBeforeBlank', 'imageJustify', 'imageCaptionText', 'imageCaptionText_MaxLength',
      'imageCaptionText_EndSign', 'retainBold', 'dateline', 'editorname', 'conversionFile', 'redundantFile'],
  };
  for (const [section, names] of Object.entries(keys)) {
    for (const key of names) assert.ok(options.has(section, key), `${section}/${key}`);
  }
});
