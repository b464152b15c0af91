// The shipped junk rules on the lines they are for, on article lines they must leave, and on
// hostile lines that once made a rule backtrack for hours.
import test from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { spawnSync } from 'node:child_process';
import { parseJunkRules, isJunkLine } from './web-junk.js';
import { repo } from '../../testing/index.js';

const shipped = parseJunkRules(fs.readFileSync(`${repo}data/web-page-junk.txt`, 'utf8'));
const digits = '1234567890'.repeat(4);

// A pattern that backtracks blocks the thread, so the lines go to a child that may be stopped.
function judgedApart(lines) {
  const script = `import fs from 'node:fs'; import { parseJunkRules, isJunkLine } from ${JSON.stringify(new URL('./web-junk.js', import.meta.url).href)};
    const rules = parseJunkRules(fs.readFileSync(${JSON.stringify(`${repo}data/web-page-junk.txt`)}, 'utf8'));
    console.log(JSON.stringify(${JSON.stringify(lines)}.map((line) => isJunkLine(rules, line))));`;
  const child = spawnSync(process.execPath, ['--input-type=module', '-e', script], { encoding: 'utf8', timeout: 10000 });
  assert.equal(child.signal, null, 'a rule backtracks without end');
  return JSON.parse(child.stdout);
}

test('the shipped line rules take page furniture and leave article lines', () => {
  assert.deepEqual(shipped.errors, []);
  const cases = [
    ['上一页 1 2 3 下一页', true], ['首页 | 上一页 | 1 | 2 | 下一页 | 尾页', true], ['123 下一页', true],
    ['首页 1 2 3 尾页', false], ['【字体：大 中 小】【打印】【关闭窗口】', true], ['收藏本文 打印本页 纠错 复制链接 微信', true],
    ['12 34', false], ['分享到：微信 微博 QQ空间', true], ['【1】【2】【3】', true], ['评论(12)', true],
    ['本品销量第一，上一页已说明。', false], ['欢迎添加微信咨询，电话' + digits + '。', false],
  ];
  for (const [line, junk] of cases) assert.equal(isJunkLine(shipped, line), junk, line);
  // Digits between the rules' words gave the old rules exponential backtracking.
  const hostile = ['微信' + digits + 'x', '下一页' + digits + 'x', '分享' + ' '.repeat(40) + 'x'];
  assert.deepEqual(judgedApart(hostile), [false, false, false]);
});

test('rules that refer back to their own groups keep their meaning', () => {
  const rules = parseJunkRules('段落 (甲)\\1\n段落 (乙)\\1\n段落 (?<x>丙)\\k<x>\n段落 [\n');
  assert.deepEqual(rules.errors, [4]);
  for (const [line, junk] of [['甲甲', true], ['乙乙', true], ['丙丙', true], ['甲乙', false]]) assert.equal(isJunkLine(rules, line), junk, line);
});
