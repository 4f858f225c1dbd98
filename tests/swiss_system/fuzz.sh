#!/usr/bin/env bash
# Builds the Swiss system's tournament file reader's fuzz target with clang's libFuzzer and
# AddressSanitizer and runs it. Not part of the normal build. Usage:
# tests/swiss_system/fuzz.sh [seconds]. It takes one core: run it while nothing is building.
# The seeds are tournaments the target writes itself, in the shapes the Swiss tests use.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-600}
out=$(realpath -m "${VELMORA_FUZZ_DIR:-build-fuzz-swiss}")
mkdir -p "$out/corpus"
root=$PWD
dirs=("$root"/plugins/swiss/system/rules "$root"/plugins/swiss/engine "$root"/plugins/kit/core
      "$root"/plugins/kit/games "$root"/tests/swiss_system)
sources=("$root"/plugins/swiss/system/rules/*.cpp "$root"/plugins/swiss/engine/Dutch.cpp
         "$root"/plugins/swiss/engine/Trf.cpp "$root"/plugins/kit/core/*.cpp
         "$root"/plugins/kit/games/*.cpp)
flags=(-std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       "${dirs[@]/#/-I}" $(pkg-config --cflags Qt6Core))
bin="$out/fuzz_swiss_files"
if [ ! -x "$bin" ] || [ -n "$(find "${sources[@]}" tests/swiss_system/fuzz_swiss_files.cpp \
      -newer "$bin" 2>/dev/null)$(find "${dirs[@]}" -name '*.h' -newer "$bin" 2>/dev/null)" ]; then
  echo "Building $bin" >&2
  mkdir -p "$out/obj"
  rm -f "$out/obj"/*.o
  # Every source's object once (their names are unique), then the target and the seed writer.
  (cd "$out/obj" && flock /tmp/velmora-build.lock clang++ "${flags[@]}" -c "${sources[@]}")
  flock /tmp/velmora-build.lock clang++ "${flags[@]}" -DFUZZ_SWISS_WRITE_SEEDS "$out/obj"/*.o \
    tests/swiss_system/fuzz_swiss_files.cpp $(pkg-config --libs Qt6Core) -o "$out/write_seeds"
  flock /tmp/velmora-build.lock clang++ "${flags[@]}" "$out/obj"/*.o \
    tests/swiss_system/fuzz_swiss_files.cpp $(pkg-config --libs Qt6Core) -o "$bin"
fi
FUZZ_SWISS_SEEDS="$out/corpus" "$out/write_seeds" || true
exec "$bin" "$out/corpus" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=20 \
  -artifact_prefix="$out/" -print_final_stats=1
