#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer + UndefinedBehaviorSanitizer)
# and runs each for a bounded time, one after the other, seeded from the real files
# copied into fuzz/seeds/<target>/.
# Usage: tools/fuzz.sh [SECONDS_PER_TARGET] [TARGET...] (default 30 s, every target).
# Crashes land in build-fuzz/crashes/, logs in build-fuzz/<target>.log; the grown
# corpus stays in build-fuzz/corpus/<target>/ for the next run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
shift || true
tools/deps.sh
build=build-fuzz
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=($(cd fuzz && ls *.cpp | sed 's/\.cpp$//'))
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKOVEL_FUZZ=ON -DKOVEL_WITH_WINDOW=OFF -DKOVEL_WITH_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target $(printf 'fuzz_%s ' "${targets[@]}")
# The writers fsync every file: scratch files on a memory file system keep the runs fast.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
mkdir -p "$build/crashes"
status=0
summary=()
for name in "${targets[@]}"; do
  exe="$build/fuzz/fuzz_$name"
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/$name" ] && seeds+=("fuzz/seeds/$name")
  echo "== $name: ${seconds}s"
  result=ok
  if ! "$exe" "$corpus" "${seeds[@]}" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
        -artifact_prefix="$build/crashes/$name-" -print_final_stats=1 2>"$build/$name.log"; then
    echo "!! $name found a crash; see $build/$name.log and $build/crashes/"
    grep -E '^invariant broken|^  detail|^SUMMARY' "$build/$name.log" | head -3 || true
    result=CRASH
    status=1
  fi
  runs=$(grep -oE 'stat::number_of_executed_units: [0-9]+' "$build/$name.log" | grep -oE '[0-9]+$' | tail -1 || true)
  summary+=("$(printf '%-12s %10s runs  %s' "$name" "${runs:-?}" "$result")")
done
echo "== summary (${seconds}s per target)"
printf '%s\n' "${summary[@]}"
exit $status
