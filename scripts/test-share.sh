#!/usr/bin/env bash
# Prints the tests' share of the source lines: lines that are neither blank nor only a comment,
# in C++, JavaScript, shell, Python and CMake files. Tests are tests/ and the page's own tests
# beside its modules (*.test.js and testing/ folders under page/); code is src/, page/,
# scripts/, cmake/, packaging/ and the top CMakeLists.txt. Vendored files, benchmarks, fuzz
# targets, tools/ and data are left out.
set -euo pipefail
cd "$(dirname "$0")/.."
page_test='^page/(.*/)?(testing/|[^/]*\.test\.m?js$)'
count() { xargs -r cat 2>/dev/null | grep -c -v -E '^\s*(//.*|#.*)?$' || true; }
files=$(git ls-files -co --exclude-standard | grep -E '\.(cpp|cc|h|hpp|js|mjs|sh|py|cmake)$|CMakeLists\.txt$' |
  grep -v -E '(^|/)(node_modules|third_party|vendor)/|\.min\.js$' | while read -r f; do [ -f "$f" ] && echo "$f"; done)
tests=$(printf '%s\n' "$files" | grep -E "^tests/|$page_test" | count)
code=$(printf '%s\n' "$files" | grep -E '^(src|page|scripts|cmake|packaging)/|^CMakeLists\.txt$' | grep -v -E "$page_test" | count)
echo "tests: $tests lines; code: $code lines; tests' share: $(( 100 * tests / (code + tests) ))% (aim: at most 35%)"
