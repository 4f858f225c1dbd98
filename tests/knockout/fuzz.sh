#!/usr/bin/env bash
# Builds the knockout file reader's fuzz target with clang's libFuzzer and AddressSanitizer and
# runs it. Not part of the normal build. Usage: tests/knockout/fuzz.sh [seconds]
# It takes one core: run it while nothing is building.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
seconds=${1:-600}
out=$(realpath -m "${VELMORA_FUZZ_DIR:-build-fuzz-knockout}")
mkdir -p "$out/corpus"
sources=(plugins/knockout/rules/*.cpp plugins/knockout/files/*.cpp plugins/kit/core/*.cpp
         tests/knockout/fuzz_ko_files.cpp)
bin="$out/fuzz_ko_files"
if [ ! -x "$bin" ] || [ -n "$(find "${sources[@]}" plugins/knockout/*/*.h -newer "$bin" 2>/dev/null)" ]; then
  echo "Building $bin" >&2
  flock /tmp/velmora-build.lock clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=undefined -Iplugins/knockout/rules -Iplugins/knockout/files \
    -Iplugins/kit/core $(pkg-config --cflags Qt6Core) "${sources[@]}" $(pkg-config --libs Qt6Core) -o "$bin"
fi
cp -n tests/knockout/fuzz-seeds/* "$out/corpus/" 2>/dev/null || true
exec "$bin" "$out/corpus" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=20 \
  -artifact_prefix="$out/" -print_final_stats=1
