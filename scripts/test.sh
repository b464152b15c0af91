#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test: the unit and GUI tests
# (offscreen), the editor page's tests, and a short run of the fuzz targets.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz

cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default -j2
