// Every module of the page imports under Node: none may touch a browser global at import time.
import test from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const src = fileURLToPath(new URL('..', import.meta.url));

test('every module under page/src imports', async () => {
  const modules = fs.readdirSync(src, { recursive: true })
    .filter((f) => f.endsWith('.js') && !f.endsWith('.test.js') && !f.startsWith('testing'));
  assert.ok(modules.length > 30, `${modules.length} modules`);
  for (const file of modules) {
    await assert.doesNotReject(import(pathToFileURL(path.join(src, file)).href), file);
  }
});
