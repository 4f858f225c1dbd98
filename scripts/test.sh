#!/usr/bin/env bash
# Installs what is needed, builds Velmora with its tests and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
cd "${VELMORA_BUILD_DIR:-build}"
ctest --output-on-failure --parallel 2 --timeout 600
