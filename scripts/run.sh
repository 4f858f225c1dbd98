#!/usr/bin/env bash
# Installs what is needed, builds Velmora and starts it from the build tree, where the
# bundled tournament systems lie beside it in Systems/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
cd "${VELMORA_BUILD_DIR:-build}/bin"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Velmora on a virtual one (xvfb-run)." >&2
  exec xvfb-run -a -s "-screen 0 1600x1000x24" ./velmora "$@"
fi
exec ./velmora "$@"
