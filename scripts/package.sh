#!/usr/bin/env bash
# Installs what is missing, builds the program, and makes its Debian package in build/package/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
(cd build && cpack -G DEB)
ls -l build/package/*.deb
