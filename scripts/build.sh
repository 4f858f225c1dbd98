#!/usr/bin/env bash
# Configures and builds Velmora into build/ (or $VELMORA_BUILD_DIR). Builds are serialised
# through a lock, so that two builds never share the machine's two cores.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${VELMORA_BUILD_DIR:-build}
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
[ -f "$build_dir/CMakeCache.txt" ] || cmake -S . -B "$build_dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
exec flock /tmp/velmora-build.lock cmake --build "$build_dir" --parallel 2
