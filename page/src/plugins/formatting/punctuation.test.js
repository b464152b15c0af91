// Chinese punctuation: what must change next to Chinese text, and what must never change
// (numbers, times, addresses, e-mail, English).
import test from 'node:test';
import assert from 'node:assert/strict';
import { fix } from './punctuation.js';

test('half-width marks and quotes in Chinese text become full-width', () => {
  const cases = [
    // [source, expected]
    ['你好,世界', '你好，世界'],
    ['注意:明天开会;请准时!', '注意：明天开会；请准时！'],
    ['真的吗?', '真的吗？'],
    ['公司(北京)有限公司', '公司（北京）有限公司'],
    ['他说"明天见"就走了', '他说“明天见”就走了'],
    ["所谓'内卷'现象", '所谓‘内卷’现象'],
    ['"甲"和"乙"', '“甲”和“乙”'],
    ['共12,其中3个', '共12，其中3个'], // a number ends the clause
    ['型号Watch 3,售价', '型号Watch 3，售价'],
    ['访问https://example.com/a,或来电', '访问https://example.com/a，或来电'], // the sentence's comma
    ['价格(元)', '价格（元）'],
    ['He said "你好"', 'He said “你好”'],
    ['你好,世界!"引用"(注)', '你好，世界！“引用”（注）'],
    ["共12,其中'甲'", '共12，其中‘甲’'],
    ['a,b 中,文 1,000', 'a,b 中，文 1,000'],
  ];
  for (const [source, expected] of cases) {
    assert.equal(fix(source), expected, source);
    // Every change is one character for one, and fixing twice changes nothing more.
    assert.equal(expected.length, source.length, source);
    assert.equal(fix(expected), expected, source);
  }
});

test('numbers, addresses, e-mail and English stay as they are', () => {
  const unchanged = [
    '售价1,000元',
    '提升3.5倍',
    '上午12:30开始',
    '比分2:1获胜',
    '详见https://example.com/#!/p?a=1,b=2&c=3下载', // inside the address
    '网址www.example.com:8080/x',
    '邮箱press,office@example.com', // an e-mail address is left whole
    'Hello, world! How are you?',
    "don't 中文 it's", // apostrophes are no quotes
    '中文(English)', // nothing Chinese inside
    '"Quoted English" 中文',
    '（已是全角）“引号”',
    '',
  ];
  for (const text of unchanged) assert.equal(fix(text), text, text);
});
