#!/usr/bin/env bash
# Redraws the member page's pictures (window/images/dan1..dan11.png and its button
# images) from tools/make_member_pictures.cpp.
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
g++ -std=c++20 -O1 -fPIC tools/make_member_pictures.cpp -o "$out/make_member_pictures" $(pkg-config --cflags --libs Qt6Gui)
QT_QPA_PLATFORM=offscreen "$out/make_member_pictures"
