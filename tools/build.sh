#!/usr/bin/env bash
# Configures and builds into build/ (or $KOVEL_BUILD_DIR). Extra arguments go to cmake.
# KOVEL_TARGETS="kovel kovel-cli" builds only those targets (default: everything).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${KOVEL_BUILD_DIR:-build}"
launcher=()
# A compiler cache, when the machine has one, makes rebuilds in other checkouts cheap.
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${KOVEL_BUILD_TYPE:-RelWithDebInfo}" "${launcher[@]}" "$@"
targets=()
for t in ${KOVEL_TARGETS:-}; do
  targets+=(--target "$t")
done
cmake --build "$build" -j"$(nproc)" "${targets[@]}"
