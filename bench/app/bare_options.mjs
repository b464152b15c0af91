// Writes the plain Jodit page's options as a C++ header: the option values the editor page gives
// Jodit for the shipped web.ini, taken from the page's own modules, so that the benchmarks'
// yardstick is Jodit configured as the editor configures it, without running any of the page's
// code. What is code in the editor (the sanitizer on every value, the commands' actions, the
// picture upload) stays out: the page gives its buttons plain controls and Jodit's own uploader.
//   node --import <page/src/testing/packages.js> bare_options.mjs <page/src> <web.ini> <header to write>
import { readFileSync, writeFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

const [src, ini, out] = process.argv.slice(2);
const load = (path) => import(pathToFileURL(src + '/' + path).href);
const toolbars = await load('core/toolbars.js');
const { editorOptions } = await load('core/editor-options.js');
const { parseOptions } = await load('core/option-reader.js');
const { fromOptions } = await load('core/settings.js');

const settings = fromOptions(parseOptions(readFileSync(ini, 'utf8')));
const buttons = toolbars.buttonsFor(settings.toolbars);
// Jodit's own defaults are added on the page: its frame style comes before the editor's.
const joditStub = { defaultOptions: { controls: { font: {} }, iframeStyle: '' }, atom: (value) => value };
const { controls, events, ...options } = editorOptions(joditStub, settings, toolbars.asGroups(buttons), {});
const names = buttons.filter((name) => name !== '|');
writeFileSync(out, '#pragma once\n// Made at build time by bench/app/bare_options.mjs.\n' +
  `inline constexpr char kBareOptions[] = R"json(${JSON.stringify(options)})json";\n` +
  `inline constexpr char kBareButtons[] = R"json(${JSON.stringify(names)})json";\n`);
