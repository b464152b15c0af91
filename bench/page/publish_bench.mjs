// The publishing profiles and 发稿体检 on a 200-paragraph article with 20 photos, against the
// one-click formatting of the same article, measured side by side in one run under Node's
// DOM (slower than the browser's, so the figures are an upper bound). Picture conversion is
// the program's and has its own benchmark (picture_bench).
// Run from page/: node --import ./src/testing/packages.js ../bench/page/publish_bench.mjs [rounds]
import fs from 'node:fs';
import { repo } from '../../page/src/testing/index.js';
import { parseFragment } from '../../page/src/core/html.js';
import { formatNode } from '../../page/src/plugins/formatting/formatter.js';
import { parseRules } from '../../page/src/plugins/law-check/law-check.js';
import { parseProfile } from '../../page/src/plugins/publish/profiles.js';
import { writeArticle } from '../../page/src/plugins/publish/output.js';
import { checkArticle } from '../../page/src/plugins/publish/check.js';

const rounds = Number(process.argv[2]) || 10;
const profile = (key) => parseProfile(fs.readFileSync(`${repo}data/publish-${key}.json`, 'utf8'), key);
const law = parseRules(fs.readFileSync(`${repo}data/law-terms.txt`, 'utf8'));
// Pictures as the editor holds them: the program's stored pictures by address.
const photo = 'corvel-article://0123456789abcdef/' + 'a'.repeat(64) + '.jpg';
const parts = ['<h1 style="text-align:center">某某公司发布年度报告</h1>'];
for (let i = 0; i < 200; i++) {
  parts.push(`<p>　　第${i}段：公司在<a href="https://example.com/${i}">官网</a>公布，<strong>营业收入</strong>同比增长12.5%，咨询电话010-8888${String(i).padStart(4, '0')}，产品质量稳定可靠，客户满意度持续提升。</p>`);
  if (i % 10 === 0) parts.push(`<p style="text-align:center"><img src="${photo}" alt="图${i}"></p>`);
}
const html = parts.join('');
const pictures = Array.from({ length: 20 }, () => ({ format: 'jpeg', bytes: 150000, codes: [] }));

function median(work) {
  const times = [];
  for (let i = 0; i < rounds; i++) {
    const from = performance.now();
    work();
    times.push(performance.now() - from);
  }
  return times.sort((a, b) => a - b)[Math.floor(rounds / 2)];
}

const yardstick = median(() => formatNode(parseFragment(html), {}));
const rows = [
  ['公众号 output', median(() => writeArticle(html, profile('wechat'))), 1000],
  ['新闻源 output', median(() => writeArticle(html, profile('news'))), 1000],
  ['纯文本 output', median(() => writeArticle(html, profile('text'))), 1000],
  ['发稿体检 (新闻源)', median(() => checkArticle(html, profile('news'), law, pictures)), 200],
  ['发稿体检 (公众号)', median(() => checkArticle(html, profile('wechat'), law, pictures)), 200],
];
console.log(`article: 200 paragraphs, 20 photos, ${(html.length / 1024).toFixed(0)} KB`);
console.log(`一键排版 (yardstick)   ${yardstick.toFixed(1).padStart(8)} ms`);
for (const [name, ms, goal] of rows) {
  console.log(`${name.padEnd(20)} ${ms.toFixed(1).padStart(8)} ms  = ${(ms / yardstick).toFixed(2)} x 一键排版, ${(ms / goal).toFixed(2)} of the ${goal} ms goal`);
}
