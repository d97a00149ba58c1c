#!/usr/bin/env bash
# Builds the window if needed, starts it on a virtual display (xvfb-run), types a beam,
# calculates and saves a picture of the window: tools/screenshot.sh [OUT.png]
# (default: screenshot.png in the build directory); KOVEL_PAGE=2..4 stores the result and
# pictures that tab page instead; KOVEL_WIDE=1 also puts values wider than their boxes
# into the read-outs (a long member name, six-digit grid values, a twelve-digit
# calculator result). Run from anywhere; the program runs
# in the repository root, where shape/ and boundary/ are.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${KOVEL_BUILD_DIR:-build}"
out="${1:-$build/screenshot.png}"
case "$out" in /*) ;; *) out="$PWD/$out" ;; esac
if [ ! -x "$build/kovel" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${KOVEL_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
  cmake --build "$build" --target kovel
fi
xvfb-run -a -s "-screen 0 1024x768x24" "$build/kovel" --demo ${KOVEL_WIDE:+--wide} --page "${KOVEL_PAGE:-1}" --screenshot "$out"
