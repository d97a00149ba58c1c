#!/usr/bin/env bash
# The calculation sheets, to look at: the pages of a project rendered through the preview
# page bitmap (preview-pageN.png) and printed through `kovel-cli sheets` (sheets.pdf,
# converted to print-N.png by pdftoppm).
#
#   tools/render-sheets.sh [PROJECT.kvl] [OUT_DIR]
#
# PROJECT defaults to tools/data/sheets-sample.kvl (four beams on pages 1 and 2: all four
# supports, SI and traditional units, point and part-span loads); OUT_DIR to a new
# temporary folder. PAGES (default "1 2") names the preview pages to render.
# Builds kovel-cli into $KOVEL_BUILD_DIR (default build/) first; needs pdftoppm.
# With SAMPLE=1 the sample project is written anew by make_sheet_sample (tools/CMakeLists.txt) first.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${KOVEL_BUILD_DIR:-build}"
project="${1:-tools/data/sheets-sample.kvl}"
out="${2:-$(mktemp -d)}"
mkdir -p "$out"

[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DKOVEL_WITH_BENCH=OFF >/dev/null
cmake --build "$build" --target kovel-cli printing >/dev/null

libs=("$build/results/libresults.a" "$build/sections/libsections.a" "$build/beam/libbeam.a" "$build/files/libfiles.a")
tools="$(mktemp -d)"
trap 'rm -rf "$tools"' EXIT

if [ "${SAMPLE:-0}" = 1 ]; then
  cmake --build "$build" --target make_sheet_sample >/dev/null
  "$build/tools/make_sheet_sample" tools/data/sheets-sample.kvl
fi

g++ -std=c++20 -O1 -fPIC -DQT_NO_KEYWORDS -I. tools/render_sheet_page.cpp "$build/printing/libprinting.a" \
    "$build/sheets/libsheets.a" "${libs[@]}" -o "$tools/render_sheet_page" \
    $(pkg-config --cflags --libs Qt6Gui Qt6PrintSupport)
for page in ${PAGES:-1 2}; do
  "$tools/render_sheet_page" "$project" "$page" "$out/preview-page$page.png"
done

"$build/kovel-cli" sheets "$project" "$out/sheets.pdf"
pdftoppm -r 100 -png "$out/sheets.pdf" "$out/print"
ls "$out"/*.png
