#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs the whole test suite there.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
KOVEL_BUILD_DIR=build-asan KOVEL_BUILD_TYPE=Debug tools/build.sh -DKOVEL_SANITIZE=ON -DKOVEL_WITH_BENCH=OFF
cd build-asan
# Qt and fontconfig keep caches for the life of the process: leaks are not ours to judge
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
