// Conversion and correction rules: grammar, precedence, and text-only application.
import test from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { packages, parseHTML, repo, fixture } from '../testing/index.js';
import * as rules from './rules.js';
import { openccFactory } from './text-steps.js';

globalThis.OpenCC = packages('opencc-js');
const factory = openccFactory();
const opencc = (direction) => factory(direction, 't');
const shipped = (name) => fs.readFileSync(`${repo}data/${name}`, 'utf8');

test('rule-file grammar', () => {
  const text = '\ufeff# 注释\r\n\r\n错字|||正字\r\n多余|||\r\n没有分隔符\r\n|||空的左边\nA|||B\rC|||D';
  assert.deepEqual(rules.parsePairs(text), [['错字', '正字'], ['多余', ''], ['A', 'B'], ['C', 'D']]);
  // The shipped file's own comment lines are not rules.
  assert.ok(rules.parsePairs(shipped('redundant.txt')).every(([from]) => !from.startsWith('#')));
});

test('corrections: longest match, one pass, removal; the shipped file fixes typos and drops junk', () => {
  const { rules: lines, cases } = fixture('rules').corrections;
  for (const [input, expected] of cases) assert.equal(rules.corrector(lines)(input), expected, input);
  assert.equal(rules.corrector(shipped('redundant.txt'))('我们再接再励，迫不急待【打印本页】目前现在免费赠送，截止到月底'),
    '我们再接再厉，迫不及待目前赠送，截至月底');
});

test('conversion: plain by default, a region\'s wording only for that region, both directions', () => {
  const conv = shipped('conversion.txt');
  for (const [standard, simplified, traditional] of fixture('rules').conversion.cases) {
    const library = (direction) => factory(direction, standard);
    assert.equal(rules.converter(conv, 'traditional', library, standard)(simplified), traditional, standard);
    assert.equal(rules.converter(conv, 'simplified', library, standard)(traditional), simplified, standard);
  }
  assert.equal(rules.converter(conv, 'same', opencc), null);
  // Without opencc the user's pairs still apply.
  assert.equal(rules.converter(conv, 'traditional', null, 'tw')('软件发展'), '軟體发展');
});

test('rules change text nodes only, never tags or attributes', () => {
  const { document } = parseHTML('<div id="r"><p title="软件" class="软件"><a href="http://x/软件">软件</a>和再接再励</p></div>');
  const root = document.getElementById('r');
  const pipeline = rules.textPipeline({
    correct: rules.corrector('再接再励|||再接再厉'),
    convert: rules.converter('软件|||軟體', 'traditional', opencc),
  });
  rules.eachTextNode(root, pipeline);
  assert.equal(root.innerHTML, '<p title="软件" class="软件"><a href="http://x/软件">軟體</a>和再接再厲</p>');
});

test('the shipped corrections: at least 500, each a real correction', () => {
  const pairs = rules.parsePairs(shipped('redundant.txt'));
  const typos = pairs.filter(([, to]) => to !== '');
  assert.ok(typos.length >= 500, `${typos.length} corrections`);
  const froms = new Set();
  for (const [from, to] of typos) {
    assert.notEqual(from, to, from);
    assert.ok(!froms.has(from), `${from} twice`);
    froms.add(from);
    // 的地得 depend on the sentence: no rule may only swap one of them for another.
    const diff = Array.from(from).map((c, i) => [c, to[i]]).filter(([a, b]) => a !== b);
    assert.ok(!(from.length === to.length && diff.every(([a, b]) => /[的地得]/.test(a) && /[的地得]/.test(b))), from);
  }
  // A wrong form inside some right form would undo that correction on the next run.
  for (const [, to] of typos) {
    for (const from of froms) assert.ok(!to.includes(from), `${from} inside ${to}`);
  }
  // Running the corrections over their own results changes nothing.
  const correct = rules.corrector(shipped('redundant.txt'));
  const corrected = typos.map(([, to]) => to).join('，');
  assert.equal(correct(corrected), corrected);
});

test('corrections report where each replacement landed', () => {
  const hits = [];
  const out = rules.corrector('错字|||正确的字\r\n多余|||')('前错字中多余后', (start, length) => hits.push([start, length]));
  assert.equal(out, '前正确的字中后');
  assert.deepEqual(hits, [[1, 4], [6, 0]]);
});
