#!/bin/sh
# Runs a command as an ordinary user: as it is when not root, else as "nobody", with a home of
# its own in a fresh temporary folder. Root may write into any folder, so permission checks
# can only be seen failing this way.
set -eu
if [ "$(id -u)" -ne 0 ]; then exec "$@"; fi
home=$(mktemp -d)
chown nobody:nogroup "$home"
trap 'rm -rf "$home"' EXIT
setpriv --reuid=nobody --regid=nogroup --clear-groups --reset-env -- env HOME="$home" \
  XDG_RUNTIME_DIR="$home" TMPDIR="$home" PATH="$PATH" QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-}" \
  QTWEBENGINE_DISABLE_SANDBOX="${QTWEBENGINE_DISABLE_SANDBOX:-}" "$@"
