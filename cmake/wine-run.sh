#!/usr/bin/env bash
# Runs a Windows program under wine, headless, in a wine prefix of its own in the temporary
# folder: one per build folder, made on first use and shared by the tests of one CTest run, whose
# last test removes it (a run cut short leaves it to the next run, which removes it at its end).
#   wine-run.sh PROGRAM.exe ARGS...   runs the program (the prefix is made if missing)
#   wine-run.sh --remove PROGRAM.exe  stops that prefix's wine server and deletes the prefix
set -euo pipefail

remove=false
if [ "${1:-}" = --remove ]; then
  remove=true
  shift
fi
program=$1
build_folder=$(cd "$(dirname "$program")" && pwd -P)
key=$(printf '%s' "$build_folder" | md5sum | cut -c1-12)
export WINEPREFIX="${TMPDIR:-/tmp}/corvel-wine-$(id -u)-$key"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
# Wine stores Windows names as Unix names in the locale's encoding: without a UTF-8 locale (CI
# may have none set) a name such as 设置 cannot be stored at all.
export LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY

if $remove; then
  if [ -d "$WINEPREFIX" ]; then
    # The server keeps its socket in a folder of its own in /tmp, named in the prefix.
    server_folder=$(cat "$WINEPREFIX/wineserver" 2>/dev/null || true)
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    rm -rf "$WINEPREFIX" "$WINEPREFIX.lock"
    if [[ "$server_folder" =~ ^wine-[A-Za-z0-9]{6}$ ]]; then
      rm -rf "/tmp/$server_folder"
    fi
  fi
  exit 0
fi

# Made once, under a lock, however many tests start at the same moment.
if [ ! -f "$WINEPREFIX/.ready" ]; then
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.ready" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    if ! wineboot -i >"$WINEPREFIX.log" 2>&1 9>&-; then
      cat "$WINEPREFIX.log" >&2
      rm -rf "$WINEPREFIX" "$WINEPREFIX.log"
      exit 1
    fi
    rm -f "$WINEPREFIX.log"
    # One server for the whole run, with its background services started here: a server that
    # is about to exit when the next test starts can fail that test, and services started by
    # a test would hold on to its output.
    wineserver -w
    wineserver -p </dev/null >/dev/null 2>&1 9>&-
    wineboot </dev/null >/dev/null 2>&1 9>&-
    touch "$WINEPREFIX/.ready"
  fi
  exec 9>&-
fi
exec wine "$program" "${@:2}"
