#!/usr/bin/env bash
# Installs, by Debian package name, whatever the build, the program and the tests need.
# Does nothing when everything is already present.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-svg-dev
  qt6-webengine-dev qt6-webengine-dev-tools libgl-dev qt6-translations-l10n qt6-webchannel-dev
  libzxing-dev
  zlib1g-dev libgtest-dev libgmock-dev googletest libbenchmark-dev nlohmann-json3-dev
  fonts-noto-cjk xvfb xauth imagemagick
  librsvg2-bin file lintian desktop-file-utils appstream
  g++-mingw-w64-x86-64-posix wine wine64
)
# The editor page's libraries come from the npm registry at build time. A node that is
# already on the machine is used as it is; otherwise Debian's.
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
  packages+=(nodejs npm)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run this script as root (or with sudo) to install them." >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
