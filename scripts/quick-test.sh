#!/usr/bin/env bash
# The quick loop while working: builds what changed and runs the unit, GUI and page tests,
# leaving out the browser test of the whole page, the end-to-end runs and the package
# (scripts/test.sh runs those too). Installs nothing, so it needs no root once
# scripts/install-deps.sh has run.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/build.ninja ] || cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default -j"$(nproc)" -E '^(editor_page_test|e2e\.|package\.)' "$@"
