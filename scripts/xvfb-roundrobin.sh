#!/usr/bin/env bash
# Plays a six-player round robin through the built module on a virtual display and leaves
# screenshots of its dialogs and of the table page in each skin in the given folder.
# Usage: scripts/xvfb-roundrobin.sh [output folder]   (build first: scripts/build.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/xvfb-roundrobin}
mkdir -p "$out"
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu --no-sandbox"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
exec xvfb-run -a -s "-screen 0 1400x800x24" "${VELMORA_BUILD_DIR:-build}/tests/roundrobin/rr_xvfb_driver" "$out"
