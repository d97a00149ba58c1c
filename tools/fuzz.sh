#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer + UndefinedBehaviorSanitizer)
# and runs each for a bounded time, seeded from the real files in tests/.
# Usage: tools/fuzz.sh [SECONDS_PER_TARGET] (default 30). Crashes land in build-fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
tools/deps.sh
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKOVEL_FUZZ=ON -DKOVEL_WITH_WINDOW=OFF -DKOVEL_WITH_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target $(cd fuzz && ls *.cpp | sed 's/\.cpp$//; s/^/fuzz_/')
mkdir -p "$build/crashes"
status=0
for exe in "$build"/fuzz/fuzz_*; do
  name=$(basename "$exe" | sed 's/^fuzz_//')
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/$name" ] && seeds+=("fuzz/seeds/$name")
  echo "== $name: ${seconds}s"
  if ! "$exe" "$corpus" "${seeds[@]}" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
        -artifact_prefix="$build/crashes/$name-" -print_final_stats=1 2>"$build/$name.log"; then
    echo "!! $name found a crash; see $build/$name.log and $build/crashes/"
    status=1
  fi
  grep -E 'stat::number_of_executed_units|Done [0-9]+ runs' "$build/$name.log" | tail -2 || true
done
exit $status
