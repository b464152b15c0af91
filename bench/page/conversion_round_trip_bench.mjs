// 简繁 round trips on real articles (corpus/, see SOURCES.md): each paragraph converted to
// traditional and back to simplified with the shipped conversion file, for the plain standard
// and for each region, and the share of paragraphs and characters that come back exactly.
// Under the plain standard the only changes should be characters with more than one
// simplified form; they are listed with the traditional form between them. Last, what
// building OpenCC's dictionaries costs, once per page load, against a second converter.
//   node bench/page/conversion_round_trip_bench.mjs
import fs from 'node:fs';
import { packages, parseHTML, repo } from '../../page/src/testing/index.js';
import { converter, textNodes } from '../../page/src/core/rules.js';
import { openccFactory } from '../../page/src/core/text-steps.js';

globalThis.OpenCC = packages('opencc-js');
const folder = `${repo}bench/page/corpus/`;
const conversionText = fs.readFileSync(`${repo}data/conversion.txt`, 'utf8');
const paragraphs = [];
for (const name of fs.readdirSync(folder).filter((f) => f.endsWith('.html')).sort()) {
  const { document } = parseHTML(`<!DOCTYPE html><html><body>${fs.readFileSync(folder + name, 'utf8')}</body></html>`);
  for (const node of textNodes(document.body)) if (/[\u4e00-\u9fff]/.test(node.nodeValue)) paragraphs.push(node.nodeValue);
}
const han = paragraphs.join('').match(/[\u4e00-\u9fff]/g).length;
console.log(`corpus: ${paragraphs.length} text runs, ${han} Chinese characters`);

const factory = openccFactory();
let t = performance.now();
factory('traditional', 't');
const firstMs = performance.now() - t;
t = performance.now();
factory('traditional', 't');
const againMs = performance.now() - t;

console.log('standard   paragraphs back exactly   characters back exactly');
for (const standard of ['t', 'tw', 'hk']) {
  const library = (direction) => factory(direction, standard);
  const toTraditional = converter(conversionText, 'traditional', library, standard);
  const toSimplified = converter(conversionText, 'simplified', library, standard);
  let same = 0;
  let chars = 0;
  let sameChars = 0;
  const changed = new Map();
  for (const text of paragraphs) {
    const traditional = toTraditional(text);
    const back = toSimplified(traditional);
    if (back === text) same++;
    chars += text.length;
    if (back.length !== text.length) continue; // a regional word of another length
    for (let i = 0; i < text.length; i++) {
      if (back[i] === text[i]) sameChars++;
      else {
        const key = `${text[i]}→${traditional[i]}→${back[i]}`;
        changed.set(key, (changed.get(key) || 0) + 1);
      }
    }
  }
  console.log(`${standard.padEnd(8)} ${((100 * same) / paragraphs.length).toFixed(1).padStart(22)}% ${((100 * sameChars) / chars).toFixed(2).padStart(24)}%`);
  if (standard === 't') {
    const list = Array.from(changed, ([k, n]) => `${k} ×${n}`).join('  ');
    console.log(`  changed characters (simplified → traditional → simplified): ${list || 'none'}`);
  }
}
console.log(`OpenCC dictionaries: first converter ${firstMs.toFixed(0)} ms, the same one asked for again ${againMs.toFixed(3)} ms`);
