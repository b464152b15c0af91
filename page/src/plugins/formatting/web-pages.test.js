// Saved real web pages opened as 打开 opens them and formatted as a paste is: every paragraph
// of the article body keeps its words, and the page's junk lines are gone. Pages and their
// bodies in tests/data/corpus/pages/; the junk each page must lose in web_pages.json.
import test from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { readOpenedFile } from '../files/article-files.js';
import { fromOptions } from '../../core/settings.js';
import { processPaste } from './paste.js';
import { plainText } from './formatter.js';
import { parseJunkRules } from './web-junk.js';
import { bodyOf, repo, fixture } from '../../testing/index.js';

const folder = `${repo}tests/data/corpus/pages/`, read = (name) => fs.readFileSync(folder + name, 'utf8');
// Letters and digits alone: formatting may change blanks and punctuation, never words.
const words = (text) => text.replace(/[^\p{L}\p{N}]+/gu, '');
const fileName = (img) => (img.getAttribute('data-src') || img.getAttribute('src') || '').split('?')[0].split('/').pop();
const steps = { automatic: (t) => t, junk: parseJunkRules(fs.readFileSync(`${repo}data/web-page-junk.txt`, 'utf8')) };

test('saved web pages keep every body paragraph and lose their junk', async (t) => {
  const { junk } = fixture('web_pages');
  const names = fs.readdirSync(folder).filter((f) => f.endsWith('.expected.html')).map((f) => f.slice(0, -14));
  assert.ok(names.length >= 20, names.join());
  for (const name of names) {
    await t.test(name, async () => {
      const { html } = await readOpenedFile({ kind: 'html', text: read(`${name}.html`) });
      const article = bodyOf(processPaste(html, fromOptions(null), steps)), body = bodyOf(read(`${name}.expected.html`));
      const lines = plainText(article).split('\n'), kept = words(lines.join(''));
      const junkLines = junk[name] || [];
      // The extracted bodies keep a share-bar line here and there: that is junk all the same.
      for (const p of body.querySelectorAll('p,li,h1,h2,h3,h4,h5,h6,td,pre')) {
        if (junkLines.includes(p.textContent.trim())) continue;
        assert.ok(kept.includes(words(p.textContent)), `${name} lost: ${p.textContent.trim().slice(0, 80)}`);
      }
      // Pictures keep their real address, lazy-loaded ones too (by file name: the body's
      // addresses are made absolute).
      const pictures = new Set([...article.querySelectorAll('img')].map(fileName));
      for (const img of body.querySelectorAll('img')) assert.ok(pictures.has(fileName(img)), `${name} lost ${fileName(img)}`);
      assert.deepEqual(lines.map((line) => line.trim()).filter((line) => junkLines.includes(line)), [], name);
    });
  }
});
