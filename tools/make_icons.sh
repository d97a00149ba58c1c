#!/usr/bin/env bash
# Draws the hicolor PNG sizes of the program icon from packaging/kovel.svg
# (needs rsvg-convert, package librsvg2-bin). The PNGs are committed.
set -euo pipefail
cd "$(dirname "$0")/.."
for size in 16 24 32 48 64 128 256; do
  out="packaging/icons/hicolor/${size}x${size}/apps/kovel.png"
  mkdir -p "$(dirname "$out")"
  rsvg-convert -w "$size" -h "$size" packaging/kovel.svg -o "$out"
done
