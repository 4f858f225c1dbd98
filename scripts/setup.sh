#!/usr/bin/env bash
# Installs every Debian package Velmora needs to build, run and test.
# Safe to run again: apt-get skips what is already there.
# With --package-check it also installs what checking the Debian package takes: lintian, and
# the desktop's own tools to ask for a file type's program and to start a menu entry.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-tools-dev qt6-tools-dev-tools
  qt6-l10n-tools qt6-translations-l10n libqt6svg6
  qt6-httpserver-dev qt6-websockets-dev libqrencode-dev
  libgl-dev libxkbcommon-dev
  xvfb xauth imagemagick xdotool
  clang libclang-rt-14-dev
  rsync dpkg-dev fakeroot file
  poppler-utils
)

if [ "${1:-}" = "--package-check" ]; then
  packages+=(lintian xdg-utils dex)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -q
  $sudo_cmd apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
