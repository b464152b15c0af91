// What the page's Node tests share: the page build's own packages (ES module imports ignore
// NODE_PATH, so they are required from CORVEL_PAGE_NODE_MODULES), a DOM from linkedom, the
// repository's files and the fake article host.
import fs from 'node:fs';
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';
import './fake-host.js';
import { useWindow } from '../core/sanitize.js';

const modules = process.env.CORVEL_PAGE_NODE_MODULES;
const packages = createRequire(modules ? modules.replace(/\/?$/, '/') : import.meta.url);
const { parseHTML, DOMParser } = packages('linkedom');
// The page parses detached HTML with the browser's DOMParser.
globalThis.DOMParser = DOMParser;
// DOMPurify needs a fuller DOM than linkedom's; jsdom loads only when something is sanitized.
useWindow(() => new (packages('jsdom').JSDOM)('').window);

const repo = fileURLToPath(new URL('../../../', import.meta.url));
const bodyOf = (html) => parseHTML(`<!DOCTYPE html><html><body>${html}</body></html>`).document.body;
const { fakeHost, fakeTimers, settle } = globalThis.CorvelFakeHost;
// A table of cases kept as data beside the browser test's fixtures.
const fixture = (name) => JSON.parse(fs.readFileSync(`${repo}tests/page/fixtures/${name}.json`, 'utf8'));

export { packages, parseHTML, DOMParser, repo, bodyOf, fakeHost, fakeTimers, settle, fixture };
