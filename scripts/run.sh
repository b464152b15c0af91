#!/usr/bin/env bash
# Installs what is missing, builds the program, and starts it from the build tree with the
# default web.ini, rule files and editor page that the repository ships.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target corvel-editor

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<'MSG'
The program is built, but there is no display to show its window on
(neither DISPLAY nor WAYLAND_DISPLAY is set).
To run it on a virtual display instead:
  xvfb-run -a -s '-screen 0 1280x800x24' build/bin/corvel-editor
MSG
  exit 1
fi
exec build/bin/corvel-editor
