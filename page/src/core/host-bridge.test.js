// The program's article bridge as promises.
import test from 'node:test';
import assert from 'node:assert/strict';
import { wrap, METHODS } from './host-bridge.js';

test('the channel object becomes promises; a call that cannot be made is a refusal', async () => {
  const channelObject = {
    state: (callback) => callback({ ok: true, currentId: 'a1', migrated: true }),
    saveArticle: (id, html, title, chars, callback) => callback({ ok: true, modified: chars }),
    listArticles: (callback) => callback(undefined),
    openArticle: () => {
      throw new Error('transport closed');
    },
  };
  const host = wrap(channelObject);
  assert.deepEqual(Object.keys(host), [...METHODS, 'onOpenedFiles']);
  assert.deepEqual(await host.state(), { ok: true, currentId: 'a1', migrated: true });
  assert.deepEqual(await host.saveArticle('a1', '<p>x</p>', 'x', 1), { ok: true, modified: 1 });
  assert.deepEqual(await host.listArticles(), { ok: false, error: '与程序的连接出错：没有回应' });
  assert.deepEqual(await host.openArticle('a1'), { ok: false, error: '与程序的连接出错：transport closed' });
  assert.equal((await host.readImage('x')).ok, false, 'a method the program lacks is a refusal too');
});
