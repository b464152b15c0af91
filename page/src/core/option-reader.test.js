// The page's reader must read web.ini exactly as the program's option store does: the
// shared case table is the common definition for both.
import test from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import * as reader from './option-reader.js';
import { decodeUtf8 } from './text-loader.js';
import { repo } from '../testing/index.js';

const read = (file) => fs.readFileSync(`${repo}tests/${file}`, 'utf8');

// The file's bytes as the program writes them (its mark first), or raw bytes that start it.
function fileBytes(c) {
  const start = c.rawStart ? Buffer.from(c.rawStart) : Buffer.from('\ufeff');
  return Buffer.concat([start, Buffer.from(c.input, 'utf8')]);
}

test('shared option-file cases, read from bytes as the page reads web.ini', async (t) => {
  const { cases } = JSON.parse(read('data/option_file_cases.json'));
  for (const c of cases) {
    await t.test(c.name, () => {
      const text = decodeUtf8(fileBytes(c));
      assert.deepEqual(reader.parseEntries(text), c.entries);
      const options = reader.parseOptions(text);
      for (const [section, key, expected] of c.get || []) {
        assert.equal(options.get(section, key), expected, `${section}/${key}`);
      }
    });
  }
});
