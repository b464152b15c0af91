#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs every test: the unit and GUI tests
# (offscreen), the editor page's tests, and a short run of the fuzz targets.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz -j2

cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default -j2

# The option store built for Windows, its tests run under wine.
windows_start=$SECONDS
cmake --preset windows-core >/dev/null
cmake --build --preset windows-core
ctest --preset windows-core -j2
echo "Windows build and tests under wine: $((SECONDS - windows_start)) s"
