#!/usr/bin/env bash
# Builds the Debian package of Velmora: a release build of the program alone (no tests, no
# benchmarks) in its own folder, installed under /usr, packed by CPack. Prints the path of
# the .deb. Install it with: apt-get install ./velmora_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build_dir=${VELMORA_PACKAGE_DIR:-build-package}
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S . -B "$build_dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX=/usr -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCH=OFF >/dev/null
flock /tmp/velmora-build.lock cmake --build "$build_dir" --parallel 2
# Files are owned by root in the package whoever builds it; fakeroot is not needed for that.
(cd "$build_dir" && rm -f velmora_*.deb && cpack -G DEB >&2)
deb=$(ls "$PWD/$build_dir"/velmora_*.deb)
echo "$deb"
