// Writes the plain Jodit page's options as a C++ header: the option values the editor page gives
// Jodit for the shipped web.ini, taken from the page's own modules, so that the benchmarks'
// yardstick is Jodit configured as the editor configures it, without running any of the page's
// code in the browser. The features install once here, against a stand-in page, for their
// commands' captions, tooltips and lists; what is code in the editor (the commands' actions, the
// sanitizer on every value, the picture upload) stays out, and the plain page gives its buttons
// empty actions and Jodit's own uploader.
//   node --import <page/src/testing/packages.js> bare_options.mjs <page/src> <web.ini> <header to write>
import { readFileSync, writeFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

const [src, ini, out] = process.argv.slice(2);
const load = (path) => import(pathToFileURL(src + '/' + path).href);
const toolbars = await load('core/toolbars.js');
const { editorOptions } = await load('core/editor-options.js');
const { parseOptions } = await load('core/option-reader.js');
const { fromOptions } = await load('core/settings.js');
const { createRegistry } = await load('core/commands.js');
const { FEATURES } = await load('main.js');

const settings = fromOptions(parseOptions(readFileSync(ini, 'utf8')));
const quiet = () => {};
const stored = new Map();
const page = {
  settings, registry: createRegistry(), tools: {}, api: {}, joditOptions: {},
  host: {}, // the program's article bridge is there: the draft and file commands are defined
  loaded: { settings, conversionText: '', correctionText: '', lawText: '', junkText: '' },
  notices: { notice: quiet, flash: quiet, show: quiet, clear: quiet },
  storage: { getItem: (k) => (stored.has(k) ? stored.get(k) : null), setItem: (k, v) => stored.set(k, v), removeItem: (k) => stored.delete(k) },
  steps: {}, painted: new Promise(quiet), rulesRead: new Promise(quiet), // never: nothing loads here
};
for (const feature of FEATURES) feature.install(page);
// The controls as data: JSON leaves their functions out.
const controls = JSON.parse(JSON.stringify(page.registry.controls()));

const buttons = toolbars.buttonsFor(settings.toolbars);
// Jodit's own defaults are added on the page: its frame style comes before the editor's.
const joditStub = { defaultOptions: { controls: { font: {} }, iframeStyle: '' }, atom: (value) => value };
const { events, ...options } = editorOptions(joditStub, settings, toolbars.asGroups(buttons), controls);
for (const name of buttons) {
  if (name.startsWith('corvel') && !options.controls[name]) throw new Error('no command for the button ' + name);
}
writeFileSync(out, '#pragma once\n// Made at build time by bench/app/bare_options.mjs.\n' +
  `inline constexpr char kBareOptions[] = R"json(${JSON.stringify(options)})json";\n`);
