// Writes the standard toolbar's buttons, taken from the page's own toolbar sets, as a C++ header:
// the benchmarks' plain Jodit page gets the same buttons without loading any of the page's code.
//   node bare_buttons.mjs <page/src/core/toolbars.js> <header to write>
import { writeFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

const [source, out] = process.argv.slice(2);
const { buttonsFor } = await import(pathToFileURL(source).href);
writeFileSync(out, '#pragma once\n// Made at build time by bench/app/bare_buttons.mjs.\n' +
  `inline constexpr char kBareButtons[] = R"(${JSON.stringify(buttonsFor('Standard'))})";\n`);
