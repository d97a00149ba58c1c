#!/usr/bin/env bash
# Redraws the support pictures (boundary/), the section sketches (shape/BH.bmp,
# kaku.bmp, maru.bmp) and the button images (window/images/) from tools/make_pictures.cpp.
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
g++ -std=c++20 -O1 -fPIC tools/make_pictures.cpp -o "$out/make_pictures" $(pkg-config --cflags --libs Qt6Gui)
QT_QPA_PLATFORM=offscreen "$out/make_pictures"
