#!/usr/bin/env bash
# Builds the round-robin file readers' fuzz target with clang's libFuzzer and AddressSanitizer
# and runs it. Not part of the normal build. Usage: scripts/fuzz-roundrobin.sh [seconds] [jobs]
# It takes one core per job: run it while nothing is building.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-600}
jobs=${2:-1}
out=$(realpath -m "${VELMORA_FUZZ_DIR:-build-fuzz}")
mkdir -p "$out/corpus"
src=plugins/roundrobin/rules
kit=plugins/kit/core
# The standings come from the kit's game model through the round robin's bridge.
bridge=plugins/roundrobin/games
games=plugins/kit/games
bin="$out/fuzz_rr_files"
sources=("$src"/*.cpp "$kit"/*.cpp tests/roundrobin/fuzz_rr_files.cpp)
model=("$bridge"/*.cpp "$games"/*.cpp)
flags=(-std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
if [ ! -x "$bin" ] || [ -n "$(find "${sources[@]}" "${model[@]}" "$src"/*.h "$kit"/*.h "$games"/*.h -newer "$bin" 2>/dev/null)" ]; then
  echo "Building $bin" >&2
  # The game model has a Standings.h of its own: it is compiled apart from the rules.
  objects=()
  for f in "${model[@]}"; do
    o="$out/model-$(basename "$f" .cpp).o"
    flock /tmp/velmora-build.lock clang++ "${flags[@]}" -I"$bridge" -I"$games" \
      $(pkg-config --cflags Qt6Core) -c "$f" -o "$o"
    objects+=("$o")
  done
  flock /tmp/velmora-build.lock clang++ "${flags[@]}" -I"$src" -I"$kit" -I"$bridge" -I"$games" \
    $(pkg-config --cflags Qt6Core) "${sources[@]}" "${objects[@]}" $(pkg-config --libs Qt6Core) -o "$bin"
fi
# Seeds: the readers' own test inputs.
cp -n tests/roundrobin/fuzz-seeds/* "$out/corpus/" 2>/dev/null || true
parallel=()
# With -jobs libFuzzer writes each job's output to fuzz-N.log in the current folder.
[ "$jobs" -gt 1 ] && parallel=(-jobs="$jobs" -workers="$jobs") && cd "$out"
exec "$bin" "$out/corpus" -dict="$root/tests/roundrobin/fuzz-seeds.dict" -max_total_time="$seconds" \
  -max_len=65536 -rss_limit_mb=2048 -timeout=20 -artifact_prefix="$out/" -print_final_stats=1 "${parallel[@]}"
