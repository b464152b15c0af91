// Chinese punctuation: what must change next to Chinese text, and what must never change
// (numbers, times, addresses, e-mail, English). Cases in tests/page/fixtures/punctuation.json.
import test from 'node:test';
import assert from 'node:assert/strict';
import { fix } from './punctuation.js';
import { fixture } from '../../testing/index.js';

test('punctuation next to Chinese text, and text that stays as it is', () => {
  for (const [source, expected] of fixture('punctuation').cases) {
    assert.equal(fix(source), expected, source);
    // Every change is one character for one, and fixing twice changes nothing more.
    assert.equal(expected.length, source.length, source);
    assert.equal(fix(expected), expected, source);
  }
});
