#!/usr/bin/env bash
# Builds the probe with the Windows Qt that tools/windows/build.sh made, puts it
# in a folder with its DLLs, the two platform plugins and the IPA Gothic font,
# and runs it under Wine: once on a virtual X screen (the window, a shot of the
# screen from inside and one from outside, a PDF), once with the offscreen
# plugin. Fails unless each run succeeds and the PDF embeds IPA Gothic.
#   run.sh QT_PREFIX [OUT_DIR]      (OUT_DIR defaults to ~/.cache/kovel/probe)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
[ $# -ge 1 ] || { echo "usage: run.sh QT_PREFIX [OUT_DIR]" >&2; exit 2; }
qt="$1"
cache="${KOVEL_WIN_CACHE:-$HOME/.cache/kovel}"
out="${2:-$cache/probe}"
font=/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
[ -f "$font" ] || { echo "run.sh: $font is missing (fonts-ipafont-gothic)" >&2; exit 1; }

rm -rf "$out/app" "$out/result"
mkdir -p "$out/result"
"$qt/bin/qt-cmake" -S "$here" -B "$out/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
nice -n 19 cmake --build "$out/build" >/dev/null
"$here/../deploy.sh" "$qt" "$out/app" "$out/build/probe.exe" \
  plugins/platforms/qwindows.dll plugins/platforms/qoffscreen.dll
cp "$font" "$out/app/"
echo "deployed:"; (cd "$out/app" && find . -type f | sort | sed 's/^\.\//  /')

# A Wine prefix of our own: no Mono or Gecko prompts, no noise.
export WINEPREFIX="$cache/wine" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine="$(command -v wine64 || command -v wine)"
[ -d "$WINEPREFIX" ] || xvfb-run -a "$wine" wineboot --init >/dev/null 2>&1

cd "$out/result"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$1" "$2/probe.exe" screen.png page.pdf >run.txt 2>&1 & pid=$!
  for _ in $(seq 1 300); do [ -s screen.png ] && break; sleep 0.2; done
  sleep 0.5
  xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >root.png
  rc=0; wait "$pid" || rc=$?
  # Wine'"'"'s desktop process would outlive the X server and complain.
  wineserver -k 2>/dev/null || true
  exit "$rc"' _ "$wine" "$out/app" || { cat run.txt; echo "run.sh: the probe failed on the X screen" >&2; exit 1; }
cat run.txt
# Wine keeps the host's QT_* variables from Windows programs; WINEQT_* reach
# them without the prefix.
WINEQT_QPA_PLATFORM=offscreen "$wine" "$out/app/probe.exe" offscreen.png offscreen.pdf >offscreen.txt 2>&1 \
  || { cat offscreen.txt; echo "run.sh: the probe failed with the offscreen plugin" >&2; exit 1; }
cat offscreen.txt
pdffonts page.pdf
# The columns from the end: emb sub uni object generation.
pdffonts page.pdf | awk 'NR > 2 && $1 ~ /IPAGothic/ && $(NF - 4) == "yes" { ok = 1 } END { exit !ok }' \
  || { echo "run.sh: page.pdf does not embed IPA Gothic" >&2; exit 1; }
echo "probe ok: $out/result (screen.png from inside, root.png from X, page.pdf)"
