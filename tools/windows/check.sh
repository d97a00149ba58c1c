#!/usr/bin/env bash
# Checks KOVEL for Windows under Wine against the Debian build of the same checkout:
#   1. the test suites built for Windows (files, beam, sections, results, sheets,
#      printing, window with the offscreen platform);
#   2. the installer's silent install (/S) into a Wine prefix made afresh: the files, the
#      shortcuts, the .kvl file type in the registry;
#   3. the installed kovel-cli.exe, started in an empty folder (so it finds its data in
#      the installation), against the Debian kovel-cli: calc on a set of inputs (standard
#      output, standard error, exit status), batch of the example and of the mixed
#      schedule (results, project file, the PDF's text and page count), text and sheets
#      of tests/golden/mixed.kvl, byte for byte; a project of a Japanese name saved by
#      each build opened by the other; calc on a console (a terminal), its Japanese text;
#   4. the installed kovel.exe on a virtual X screen: page 1 with a computed beam, the
#      result table and the preview in both sheet kinds, each as the program saves it
#      and as X shows it while the program runs;
#   5. the silent uninstall: every installed file, shortcut and key gone, the user's
#      data folder (%APPDATA%\KOVEL) kept.
# Runs build.sh first (cached). Results and pictures in build-win/check (or
# $KOVEL_WIN_CHECK); the last line says how many checks passed and failed.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source_dir="$(cd "$here/../.." && pwd)"
cache="${KOVEL_WIN_CACHE:-$HOME/.cache/kovel}"

note() { printf '%s %s\n' "$(date +%H:%M:%S)" "$*" >&2; }
passed=0 failed=0
pass() { passed=$((passed + 1)); printf 'ok    %s\n' "$*"; }
flunk() { failed=$((failed + 1)); printf 'FAIL  %s\n' "$*"; }
check() { local what="$1"; shift; if "$@"; then pass "$what"; else flunk "$what"; fi; }
same() { # same WHAT DEBIAN WINDOWS
  if cmp -s "$2" "$3"; then pass "$1"; else flunk "$1: $2 and $3 differ"; diff <(od -c "$2" | head -n 40) <(od -c "$3" | head -n 40) | head -n 8; fi
}

note "== build.sh"
qtprefix="" build="" setup=""
while IFS='=' read -r k v; do
  case "$k" in qt-prefix) qtprefix="$v" ;; build) build="$v" ;; installer) setup="$v" ;; esac
done < <(bash "$here/build.sh") || true
[ -n "$build" ] && [ -f "$setup" ] || { echo "check.sh: build.sh gave no installer" >&2; exit 1; }
out="${KOVEL_WIN_CHECK:-$build/check}"
rm -rf "$out"; mkdir -p "$out"
note "== the Debian build"
deb_build="${KOVEL_BUILD_DIR:-$source_dir/build}"
KOVEL_TARGETS="kovel-cli" "$source_dir/tools/build.sh" >"$out/debian-build.log" 2>&1 \
  || { cat "$out/debian-build.log"; echo "check.sh: the Debian build failed" >&2; exit 1; }
deb="$deb_build/kovel-cli"

# A Wine prefix of its own, made afresh, so that the install starts from nothing.
export WINEPREFIX="$cache/wine-check" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# the arguments reach Windows programs as UTF-8 only in a UTF-8 locale
export LC_ALL=C.UTF-8
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine="$(command -v wine64 || command -v wine)"
note "== Wine prefix $WINEPREFIX"
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
xvfb-run -a "$wine" wineboot --init >/dev/null 2>&1
wineserver -w
user_dir="$WINEPREFIX/drive_c/users/$(id -un)"
instdir="$user_dir/AppData/Local/Programs/KOVEL"
appdata="$user_dir/AppData/Roaming/KOVEL"
winpath() { "$wine" winepath -w "$1" 2>/dev/null | tr -d '\r'; }

# --- 1. the test suites ---------------------------------------------------------
note "== test suites"
tests="$out/tests"
suites=(files beam sections results sheets printing window)
exes=(); for s in "${suites[@]}"; do exes+=("$build/tests/${s}_tests.exe"); done
"$here/deploy.sh" "$qtprefix" "$tests" "${exes[@]}" plugins/platforms/qoffscreen.dll >/dev/null
# Qt's paths and Japanese texts as the installation has them
cp "$build/stage/qt.conf" "$tests/"
mkdir -p "$tests/translations"; cp "$build/stage/translations/"*.qm "$tests/translations/"
# the fonts where an installed program finds them, so the drawings are those of Debian
mkdir -p "$tests/share/kovel/fonts"
cp "$build/stage/share/kovel/fonts/"*.ttf "$tests/share/kovel/fonts/"
for s in "${suites[@]}"; do
  (cd "$source_dir" && WINEQT_QPA_PLATFORM=offscreen timeout 1200 "$wine" "$tests/${s}_tests.exe" --gtest_brief=1) \
    >"$out/test-$s.log" 2>&1
  rc=$?
  summary="$(grep -E '^\[  (PASSED|FAILED|SKIPPED) ' "$out/test-$s.log" | tr -s ' ' | tr '\n' ' ')"
  if [ $rc -eq 0 ]; then pass "${s}_tests: $summary"; else flunk "${s}_tests (status $rc): $summary; see $out/test-$s.log"; fi
done

# --- 2. silent install ------------------------------------------------------------
note "== install"
# the user's own data, which the uninstaller must leave
mkdir -p "$appdata/shape"; printf 'kept\r\n' >"$appdata/shape/marker.txt"
"$wine" "$(winpath "$setup")" /S; wineserver -w
check "installed kovel.exe, kovel-cli.exe, uninstall.exe" test -f "$instdir/kovel.exe" -a -f "$instdir/kovel-cli.exe" -a -f "$instdir/uninstall.exe"
missing=""
while IFS= read -r f; do [ -f "$instdir/$f" ] || missing+=" $f"; done < <(cd "$build/stage" && find . -type f | sed 's|^\./||')
check "every staged file installed${missing:+ (missing:$missing)}" test -z "$missing"
extra="$(cd "$instdir" && find . -type f ! -name uninstall.exe | sed 's|^\./||' | while IFS= read -r f; do [ -f "$build/stage/$f" ] || echo "$f"; done)"
check "nothing installed beyond the staged files${extra:+ (extra: $extra)}" test -z "$extra"
shortcut="KOVEL 鉄骨梁の断面検定.lnk"
startmenu="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/KOVEL/$shortcut"
desktop="$(readlink -f "$user_dir/Desktop")/$shortcut"
check "Start-menu shortcut $shortcut" test -f "$startmenu"
check "desktop shortcut $shortcut" test -f "$desktop"
reg_value() { "$wine" reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p'; }
check ".kvl is KOVEL.Project" test "$(reg_value 'HKCU\Software\Classes\.kvl')" = KOVEL.Project
open_command="$(reg_value 'HKCU\Software\Classes\KOVEL.Project\shell\open\command')"
check "KOVEL.Project opens with kovel.exe (${open_command})" grep -q 'kovel.exe" "%1"' <<<"$open_command"

# --- 3. kovel-cli against the Debian build ------------------------------------------
note "== kovel-cli"
cli="$instdir/kovel-cli.exe"
run="$out/cli"; mkdir -p "$run/empty" "$run/deb" "$run/win" "$run/inputs"
win_cli() { (cd "$run/empty" && "$wine" "$cli" "$@"); }
deb_cli() { (cd "$source_dir" && "$deb" "$@"); }
w() { winpath "$1"; }

cat >"$run/inputs/simple.txt" <<'EOF'
Span=6
uniform=10
lb=3
family=HN
member=H-300x150x6.5x9
EOF
cat >"$run/inputs/notice-grade.txt" <<'EOF'
Span=7.2
uniform=12
p1=30
pl1=3.6
lb=1.8
family=HW
member=H-200x200x8x12
fbrule=notice
grade=SN490B
EOF
cat >"$run/inputs/notice-angle.txt" <<'EOF'
Span=3
uniform=1.5
lb=1.5
family=L
fbrule=notice
F=235
EOF
cat >"$run/inputs/select.txt" <<'EOF'
Span=8
uniform=5
lb=3
design=1
family=HN
seigen1=0
seigen2=0
EOF
cat >"$run/inputs/pipe.txt" <<'EOF'
Span=4
family=maru
B=114.3
tf=4.5
uniform=2
EOF
printf 'Span=6\r\nspan=7\r\n' >"$run/inputs/wrong-name.txt"
printf 'Span=0\n' >"$run/inputs/span0.txt"
for input in "$run/inputs"/*.txt; do
  name="$(basename "$input" .txt)"
  deb_cli calc "$input" >"$run/deb/$name.out" 2>"$run/deb/$name.err"; echo $? >"$run/deb/$name.status"
  win_cli calc "$(w "$input")" >"$run/win/$name.out" 2>"$run/win/$name.err"; echo $? >"$run/win/$name.status"
  for part in out err status; do same "calc $name ($part)" "$run/deb/$name.$part" "$run/win/$name.$part"; done
done

deb_cli batch examples/schedule.csv -o "$run/deb/example.csv" >/dev/null 2>&1
win_cli batch "$(w "$source_dir/examples/schedule.csv")" -o "$(w "$run/win/example.csv")" >/dev/null 2>&1
same "batch examples/schedule.csv (results)" "$run/deb/example.csv" "$run/win/example.csv"

mixed="$source_dir/tests/golden/mixed-schedule.csv"
deb_cli batch "$mixed" -o "$run/deb/mixed.csv" --project "$run/deb/mixed.kvl" --sheets "$run/deb/mixed.pdf" >/dev/null 2>&1
win_cli batch "$(w "$mixed")" -o "$(w "$run/win/mixed.csv")" --project "$(w "$run/win/mixed.kvl")" \
  --sheets "$(w "$run/win/mixed.pdf")" >/dev/null 2>&1
same "batch mixed-schedule.csv (results)" "$run/deb/mixed.csv" "$run/win/mixed.csv"
same "batch mixed-schedule.csv (project file)" "$run/deb/mixed.kvl" "$run/win/mixed.kvl"
pdf_same() { # pdf_same WHAT DEBIAN WINDOWS
  local d="$2" wn="$3"
  pdftotext -layout "$d" "$d.txt" 2>/dev/null; pdftotext -layout "$wn" "$wn.txt" 2>/dev/null
  same "$1 (text)" "$d.txt" "$wn.txt"
  local pd pw
  pd="$(pdfinfo "$d" 2>/dev/null | sed -n 's/^Pages: *//p')"; pw="$(pdfinfo "$wn" 2>/dev/null | sed -n 's/^Pages: *//p')"
  check "$1 (pages: $pd and $pw)" test -n "$pd" -a "$pd" = "$pw"
  check "$1 (IPA Gothic embedded in the Windows PDF)" \
    bash -c "pdffonts '$wn' | awk 'NR > 2 && \$1 ~ /IPAGothic/ && \$(NF - 4) == \"yes\" { ok = 1 } END { exit !ok }'"
}
pdf_same "batch mixed-schedule.csv (sheets)" "$run/deb/mixed.pdf" "$run/win/mixed.pdf"

golden="$source_dir/tests/golden/mixed.kvl"
deb_cli text "$golden" "$run/deb/golden.txt" >/dev/null 2>&1
win_cli text "$(w "$golden")" "$(w "$run/win/golden.txt")" >/dev/null 2>&1
same "text tests/golden/mixed.kvl" "$run/deb/golden.txt" "$run/win/golden.txt"
same "text tests/golden/mixed.kvl (the golden report)" "$source_dir/tests/golden/mixed.txt" "$run/win/golden.txt"
deb_cli sheets "$golden" "$run/deb/golden.pdf" >/dev/null 2>&1
win_cli sheets "$(w "$golden")" "$(w "$run/win/golden.pdf")" >/dev/null 2>&1
pdf_same "sheets tests/golden/mixed.kvl" "$run/deb/golden.pdf" "$run/win/golden.pdf"

# Across: a project of a Japanese name (é has no code page 932 form, so only wide file
# names reach it) saved by each build, opened by the other.
jp="梁の検定 café"
deb_cli batch "$mixed" -o "$run/deb/$jp.csv" --project "$run/deb/$jp.kvl" >/dev/null 2>&1
win_cli batch "$(w "$mixed")" -o "$(w "$run/win/$jp.csv")" --project "$(w "$run/win/$jp.kvl")" >/dev/null 2>&1
check "a project of a Japanese name written by Windows" test -s "$run/win/$jp.kvl"
same "the projects of a Japanese name" "$run/deb/$jp.kvl" "$run/win/$jp.kvl"
deb_cli text "$run/win/$jp.kvl" "$run/deb/from-windows.txt" >/dev/null 2>&1
win_cli text "$(w "$run/deb/$jp.kvl")" "$(w "$run/win/from-debian.txt")" >/dev/null 2>&1
same "Windows' project opened on Debian, Debian's on Windows (reports)" "$run/deb/from-windows.txt" "$run/win/from-debian.txt"
same "Windows' project opened on Debian (the golden report)" "$source_dir/tests/golden/mixed.txt" "$run/deb/from-windows.txt"
win_cli calc "$(w "$run/inputs/wrong-name.txt")" >/dev/null 2>"$run/win/wrong-name-console.err"
check "a refusal in Japanese on standard error" grep -q '行目' "$run/win/wrong-name-console.err"
# On a console (a terminal here, cmd.exe on Windows) the text goes through the console's
# wide output: the same lines as Debian's, without the terminal's control sequences
console_text() { sed -e 's/\x1b\[[0-9;?]*[A-Za-z]//g' -e 's/\r//g' | grep -v '^$'; }
on_console() { (cd "$run/empty" && timeout 120 script -qec "$(printf '%q ' "$wine" "$cli" "$@")" /dev/null); }
on_console calc "$(w "$run/inputs/simple.txt")" | console_text >"$run/win/simple.console"
console_text <"$run/deb/simple.out" >"$run/deb/simple.console"
same "calc simple on a console (standard output)" "$run/deb/simple.console" "$run/win/simple.console"
on_console calc "$(w "$run/inputs/wrong-name.txt")" | console_text >"$run/win/wrong-name.console"
cat "$run/deb/wrong-name.out" "$run/deb/wrong-name.err" | console_text >"$run/deb/wrong-name.console"
same "calc wrong-name on a console (the refusal)" "$run/deb/wrong-name.console" "$run/win/wrong-name.console"

# --- 4. the window ------------------------------------------------------------------
note "== window"
shots="$out/screenshots"; mkdir -p "$shots"
# NAME OPTIONS...: the program's own picture of its window (--screenshot), then the X
# screen while a second run shows the window: a screen of a few colours is no window
window_shot() {
  local name="$1"; shift
  (cd "$run/empty" && xvfb-run -a -s "-screen 0 1024x768x24" "$wine" "$instdir/kovel.exe" "$@" \
    --screenshot "$(w "$shots")\\$name.png" >/dev/null 2>&1)
  wineserver -k 2>/dev/null || true
  check "window $name, as the program saves it: $shots/$name.png" test -s "$shots/$name.png"
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    cd "$1" || exit 1
    "$2" "$3" "${@:5}" >/dev/null 2>&1 & pid=$!
    found=1
    for _ in $(seq 1 120); do
      sleep 0.5
      if [ "$(xwd -root -silent | xwdtopnm 2>/dev/null | ppmhist -noheader 2>/dev/null | wc -l)" -gt 20 ]; then found=0; break; fi
    done
    sleep 2
    xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$4" 2>/dev/null
    kill "$pid" 2>/dev/null; wineserver -k 2>/dev/null || true
    exit "$found"' _ "$run/empty" "$wine" "$instdir/kovel.exe" "$shots/screen-$name.png" "$@"
  check "window $name, as X shows it: $shots/screen-$name.png" test $? -eq 0 -a -s "$shots/screen-$name.png"
}
window_shot page1 --demo --page 1
window_shot page2 --demo --page 2
window_shot page3 --demo --page 3
window_shot page3-detailed --demo --page 3 --detailed

# --- 5. silent uninstall ---------------------------------------------------------------
note "== uninstall"
"$wine" "$(winpath "$instdir/uninstall.exe")" /S; wineserver -w
sleep 2; wineserver -w
left="$(cd "$instdir" 2>/dev/null && find . -mindepth 1 | head -n 5)"
check "the installation folder removed${left:+ (left: $left)}" test ! -e "$instdir"
check "the shortcuts removed" test ! -e "$startmenu" -a ! -e "$desktop"
check "the .kvl type removed" test -z "$(reg_value 'HKCU\Software\Classes\.kvl')$(reg_value 'HKCU\Software\Classes\KOVEL.Project')"
check "the user's data folder kept" test -f "$appdata/shape/marker.txt"
wineserver -k 2>/dev/null || true

echo "check.sh: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
