// Word files in and out: real files from other projects and small made ones keep their
// structure when opened, and again after the .docx export is opened.
import test from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { bodyOf, packages, repo } from '../../testing/index.js';
import { articleCounts, wordFile } from '../../testing/word-files.js';
import { readWordFile } from './docx-reader.js';
import { wordDocument } from './docx-writer.js';

const mammoth = packages('mammoth');
const docx = packages('docx');
const JSZip = packages('jszip');
const cases = JSON.parse(fs.readFileSync(repo + 'tests/data/docx_cases.json', 'utf8'));
const TAG = '_ueditor_page_break_tag_';
const PNG_2x3 = 'data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAIAAAADCAYAAAC56t6BAAAAEklEQVR4nGP8z8DwnwEIGGEMAD3hAv7ATfoBAAAAAElFTkSuQmCC';

const open = async (bytes) => (await readWordFile(bytes, { mammoth, JSZip }, { pageBreakTag: TAG })).html;
const exported = async (html) => new Uint8Array(Buffer.from(await wordDocument(bodyOf(html), docx, { pageBreakTag: TAG }), 'base64'));

function assertHolds(html, texts, label) {
  for (const text of texts) {
    if (text.startsWith('!')) assert.ok(!html.includes(text.slice(1)), `${label}: no ${text.slice(1)} in ${html}`);
    else assert.ok(html.includes(text), `${label}: ${text} in ${html}`);
  }
}

test('real Word files keep their structure when opened and after the export round trip', async () => {
  for (const [file, want, texts] of cases.corpus) {
    const opened = await open(new Uint8Array(fs.readFileSync(repo + 'tests/data/corpus/docx/' + file)));
    const back = await open(await exported(opened));
    const text = (html) => bodyOf(html).textContent.replace(/\s+/g, '');
    assert.equal(text(back), text(opened), file + ': the same text after the round trip');
    for (const [label, html] of [[file, opened], [file + ' exported', back]]) {
      const got = articleCounts(html);
      for (const key of Object.keys(got)) assert.deepEqual(got[key], want[key] ?? (Array.isArray(got[key]) ? [] : 0), `${label}: ${key}`);
      assertHolds(html, texts, label);
    }
  }
});

test('what Word keeps outside mammoth\'s reading arrives too', async () => {
  for (const [what, body, styles, texts, numbering] of cases.xml) assertHolds(await open(await wordFile(body, styles, numbering)), texts, what);
});

test('the .docx export writes Word structure', async () => {
  const zip = await JSZip.loadAsync(await exported(cases.exportArticle.replace('PNG', PNG_2x3)));
  const xml = (await Promise.all(['document', 'styles', 'numbering'].map((n) => zip.file(`word/${n}.xml`).async('string')))).join('');
  for (const part of cases.exported) assert.ok(xml.includes(part), part);
});
