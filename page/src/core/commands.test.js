// The command registry: one definition a name, Jodit's controls and the Ctrl keys built from it.
import test from 'node:test';
import assert from 'node:assert/strict';
import { createRegistry } from './commands.js';

test('a command is defined once; controls leave out the keys, which pick the command', () => {
  const registry = createRegistry();
  const exec = () => {};
  registry.define({ name: 'corvelSave', text: '保存', keys: ['s'], exec });
  registry.define({ name: 'corvelFormat', text: '一键排版', exec });
  assert.throws(() => registry.define({ name: 'corvelSave', text: '另一个' }), /corvelSave/);
  assert.deepEqual(registry.controls(), { corvelSave: { name: 'corvelSave', text: '保存', exec }, corvelFormat: { name: 'corvelFormat', text: '一键排版', exec } });
  assert.equal(registry.forKey('S').name, 'corvelSave');
  assert.equal(registry.forKey('f'), null);
});
