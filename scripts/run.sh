#!/usr/bin/env bash
# Installs what is missing, builds the program, and starts it from the build tree with the
# default web.ini, rule files and editor page that the repository ships.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target corvel-editor

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # No display: start the program on a virtual one, so that it still runs (and can be looked at
  # with `import -window root` from another shell with the same DISPLAY).
  echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): starting the program on a virtual display." >&2
  exec xvfb-run -a -s '-screen 0 1280x800x24' build/bin/corvel-editor
fi
exec build/bin/corvel-editor
