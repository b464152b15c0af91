#!/usr/bin/env bash
# Takes docs/main-window.png: the built program on a virtual 1600x900 display under a window
# manager, its main window stretched over the screen, with a fresh user's settings and drafts.
# Needs xvfb, openbox, xdotool and imagemagick (apt-get install xvfb openbox xdotool imagemagick).
#   tools/screenshots/main-window.sh [build dir] [output png]
set -euo pipefail
build=$(realpath "${1:-build}")
here=$(cd "$(dirname "$0")" && pwd)
out=$(realpath -m "${2:-$here/../../docs/main-window.png}")
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/program" && cp -r "$build/bin/." "$home/program/"
export XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache"
export XDG_RUNTIME_DIR="$home/run" QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"

xvfb-run -a -s '-screen 0 1600x900x24' bash -c '
  openbox >/dev/null 2>&1 &
  sleep 1
  "$0/program/corvel-editor" >/dev/null 2>&1 &
  program=$!
  window=$(xdotool search --sync --onlyvisible --name "软文编辑器" | head -n 1)
  # A double click on the title bar is how openbox maximises by default.
  xdotool windowmove --sync "$window" 100 100 mousemove 400 90 click --repeat 2 --delay 150 1
  sleep 6
  import -window root "$1"
  kill "$program"
' "$home" "$out"
echo "$out"
