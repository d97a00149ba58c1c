#!/usr/bin/env bash
# Builds what KOVEL for 64-bit Windows needs, on Debian 12 as root, every step
# cached under ~/.cache/kovel (or $KOVEL_WIN_CACHE) and skipped when done:
#   1. Debian packages: the MinGW-w64 compilers (posix threads), Wine, NSIS,
#      the tools a cross build of qtbase needs, the host Qt tools;
#   2. a deb-src entry for the archive the machine already uses, when missing;
#   3. qtbase's source from Debian (the version of the host's qt6-base-dev);
#   4. qtbase for x86_64-w64-mingw32, installed to a prefix keyed by the Qt
#      version and a hash of the options, so a second run takes minutes;
#   5. GoogleTest for Windows from Debian's googletest source;
#   6. KOVEL itself (RelWithDebInfo, with its tests) in build-win/ of the checkout
#      (or $KOVEL_WIN_BUILD), configured with the Windows Qt's qt-cmake;
#   7. the installer, build-win/kovel-VERSION-setup.exe (tools/windows/kovel.nsi),
#      from the installed layout in build-win/stage, remade only when it changed.
# KOVEL_WIN_STAGES=qt stops after step 5.
# The compiles run under `nice -n 19` with $KOVEL_WIN_JOBS jobs (default 2), so
# that others building on the same machine keep priority.
# At the end it prints lines "qt-prefix=...", "gtest-prefix=...", "build=..." and
# "installer=...".
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cache="${KOVEL_WIN_CACHE:-$HOME/.cache/kovel}"
jobs="${KOVEL_WIN_JOBS:-2}"
triplet=x86_64-w64-mingw32
mkdir -p "$cache"

note() { printf '%s %s\n' "$(date +%H:%M:%S)" "$*" >&2; }
fail() { note "build.sh: $*"; exit 1; }
step_start=0
begin() { step_start=$SECONDS; note "== $*"; }
done_in() { note "   $1 ($((SECONDS - step_start)) s)"; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"
  elif command -v sudo >/dev/null 2>&1; then sudo "$@"
  else fail "needs root for: $*"; fi
}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# --- 1. packages -----------------------------------------------------------
begin "Debian packages"
packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine64 wine nsis
  dpkg-dev cmake ninja-build perl python3 pkg-config
  qt6-base-dev qt6-base-dev-tools
  googletest qt6-translations-l10n
  fonts-ipafont-gothic xvfb xauth x11-apps netpbm poppler-utils
)
missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  note "   installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  done_in "installed"
else
  done_in "all present"
fi

# The Windows Qt is the same version as the host's, whose moc, rcc and uic it uses.
debver="$(dpkg-query -W -f='${Version}' qt6-base-dev)"
qtver="${debver#*:}"; qtver="${qtver%%[+~-]*}"

# --- 2. deb-src entry -----------------------------------------------------
begin "source entry for apt"
have_source() { apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base$'; }
if have_source; then
  done_in "present"
else
  if ! apt-get indextargets 2>/dev/null | grep -q '^Created-By: Sources$'; then
    # Same archives, suites and keys as the binary entries; a file of its own
    # so that the machine's entry stays as it was.
    entry=/etc/apt/sources.list.d/kovel-deb-src.sources
    tmp="$(mktemp)"
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sed -E 's/^Types:.*$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$tmp"
    elif [ -f /etc/apt/sources.list ]; then
      entry=/etc/apt/sources.list.d/kovel-deb-src.list
      sed -nE 's/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list >"$tmp"
    fi
    [ -s "$tmp" ] || { rm -f "$tmp"; fail "no apt entry to derive a deb-src entry from"; }
    as_root install -m 644 "$tmp" "$entry"
    rm -f "$tmp"
    note "   added $entry"
  fi
  as_root apt-get update -qq
  have_source || fail "apt-get still finds no source for qt6-base"
  done_in "added"
fi

# --- 3. qtbase source -----------------------------------------------------
begin "qtbase $debver source"
qtsrc="$cache/src/qt6-base-$debver"
if [ -f "$qtsrc/.kovel-complete" ]; then
  done_in "cached"
else
  rm -rf "$qtsrc" "$qtsrc.part"
  mkdir -p "$qtsrc.part"
  (cd "$qtsrc.part" && apt-get source -qq "qt6-base=$debver" >/dev/null 2>&1) \
    || fail "apt-get source qt6-base=$debver failed"
  dir="$(find "$qtsrc.part" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)"
  [ -n "$dir" ] && [ -f "$dir/CMakeLists.txt" ] || fail "no qtbase tree in $qtsrc.part"
  mv "$dir" "$qtsrc"
  rm -rf "$qtsrc.part"
  touch "$qtsrc/.kovel-complete"
  done_in "unpacked"
fi

# --- 4. qtbase for Windows ------------------------------------------------
compiler="$(command -v $triplet-g++-posix)" || fail "$triplet-g++-posix is missing"
qt_options=(
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=ON
  -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DFEATURE_sql=OFF
  -DFEATURE_network=OFF
  -DFEATURE_dbus=OFF
  -DFEATURE_opengl=OFF
  -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF
  # Debian's source leaves out the third-party wintab.h that tablet input needs.
  -DFEATURE_tabletevent=OFF
  # The Windows platform plugin of this version does not compile with dynamic
  # GL on and OpenGL off.
  -DFEATURE_dynamicgl=OFF
)
key="$( { printf '%s\n' "$debver" "${qt_options[@]}"; cat "$here/mingw-w64-x86_64.cmake"; "$compiler" --version | head -n1; } \
        | sha256sum | cut -c1-12)"
qtprefix="$cache/qt-$qtver-mingw64-$key"
qtbuild="$cache/build/qt-$qtver-mingw64-$key"
begin "qtbase $qtver for Windows ($qtprefix)"
if [ -f "$qtprefix/.kovel-complete" ]; then
  done_in "cached"
else
  # Qt keeps the toolchain file's path for qt-cmake, so it gets a copy inside
  # the prefix rather than a path into a checkout that may move.
  mkdir -p "$qtprefix/lib/cmake" "$qtbuild"
  toolchain="$qtprefix/lib/cmake/kovel-mingw-w64-x86_64.cmake"
  cp "$here/mingw-w64-x86_64.cmake" "$toolchain"
  if [ ! -f "$qtbuild/.kovel-configured" ]; then
    nice -n 19 cmake -S "$qtsrc" -B "$qtbuild" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$qtprefix" \
      "${qt_options[@]}" >"$qtbuild/configure.log" 2>&1 \
      || fail "qtbase configure failed; see $qtbuild/configure.log"
    touch "$qtbuild/.kovel-configured"
  fi
  nice -n 19 cmake --build "$qtbuild" --parallel "$jobs" >"$qtbuild/build.log" 2>&1 \
    || fail "qtbase build failed; see $qtbuild/build.log"
  cmake --install "$qtbuild" >"$qtbuild/install.log" 2>&1 \
    || fail "qtbase install failed; see $qtbuild/install.log"
  [ -x "$qtprefix/bin/qt-cmake" ] && [ -f "$qtprefix/bin/Qt6Widgets.dll" ] \
    || fail "qtbase install in $qtprefix is incomplete"
  # The build tree (over a gigabyte) serves nothing once installed; its
  # summary and logs stay with the prefix.
  mkdir -p "$qtprefix/kovel-logs"
  cp "$qtbuild/config.summary" "$qtbuild"/*.log "$qtprefix/kovel-logs/"
  touch "$qtprefix/.kovel-complete"
  rm -rf "$qtbuild"
  done_in "built"
fi

# --- 5. GoogleTest for Windows --------------------------------------------
gtver="$(dpkg-query -W -f='${Version}' googletest)"
gtsrc=/usr/src/googletest
if [ ! -f "$gtsrc/CMakeLists.txt" ]; then
  gtsrc="$cache/src/googletest-$gtver"
  if [ ! -f "$gtsrc/.kovel-complete" ]; then
    rm -rf "$gtsrc" "$gtsrc.part"
    mkdir -p "$gtsrc.part"
    (cd "$gtsrc.part" && apt-get source -qq "googletest=$gtver" >/dev/null 2>&1) \
      || fail "apt-get source googletest=$gtver failed"
    dir="$(find "$gtsrc.part" -mindepth 1 -maxdepth 1 -type d -name 'googletest-*' | head -n1)"
    [ -n "$dir" ] || fail "no googletest tree in $gtsrc.part"
    mv "$dir" "$gtsrc"; rm -rf "$gtsrc.part"; touch "$gtsrc/.kovel-complete"
  fi
fi
gt_options=(-DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON)
gtkey="$( { printf '%s\n' "$gtver" "${gt_options[@]}"; cat "$here/mingw-w64-x86_64.cmake"; "$compiler" --version | head -n1; } \
          | sha256sum | cut -c1-12)"
gtprefix="$cache/googletest-${gtver%%-*}-mingw64-$gtkey"
gtbuild="$cache/build/googletest-mingw64-$gtkey"
begin "GoogleTest $gtver for Windows ($gtprefix)"
if [ -f "$gtprefix/.kovel-complete" ]; then
  done_in "cached"
else
  rm -rf "$gtprefix" "$gtbuild"
  mkdir -p "$gtbuild"
  { nice -n 19 cmake -S "$gtsrc" -B "$gtbuild" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64-x86_64.cmake" -DCMAKE_INSTALL_PREFIX="$gtprefix" "${gt_options[@]}" \
    && nice -n 19 cmake --build "$gtbuild" --parallel "$jobs" \
    && cmake --install "$gtbuild"; } >"$gtbuild/build.log" 2>&1 \
    || fail "GoogleTest build failed; see $gtbuild/build.log"
  touch "$gtprefix/.kovel-complete"
  rm -rf "$gtbuild"
  done_in "built"
fi

echo "qt-prefix=$qtprefix"
echo "gtest-prefix=$gtprefix"
[ "${KOVEL_WIN_STAGES:-all}" = qt ] && exit 0

# --- 6. KOVEL for Windows -------------------------------------------------
source_dir="$(cd "$here/../.." && pwd)"
build="${KOVEL_WIN_BUILD:-$source_dir/build-win}"
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
begin "KOVEL for Windows ($build)"
# RelWithDebInfo: Release's -O3 brings false -Wrestrict warnings from this GCC
nice -n 19 "$qtprefix/bin/qt-cmake" -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKOVEL_WITH_BENCH=OFF -DCMAKE_FIND_ROOT_PATH="$gtprefix" -DCMAKE_PREFIX_PATH="$gtprefix" "${launcher[@]}" \
  >"$build.configure.log" 2>&1 || { cat "$build.configure.log" >&2; fail "configuring KOVEL failed"; }
mv "$build.configure.log" "$build/kovel-configure.log"
nice -n 19 cmake --build "$build" --parallel "$jobs" || fail "building KOVEL failed"
done_in "built"

# --- 7. the installer -------------------------------------------------------
version="$(sed -n 's/^project(kovel VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")"
[ -n "$version" ] || fail "no version in CMakeLists.txt"
stage="$build/stage"
setup="$build/kovel-$version-setup.exe"
begin "installer $setup"
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" --strip >/dev/null || fail "installing KOVEL into $stage failed"
# the platform plugins (the offscreen one draws kovel-cli's sheets), the style, and
# every DLL that the programs and plugins import
"$here/deploy.sh" "$qtprefix" "$stage" plugins/platforms/qwindows.dll plugins/platforms/qoffscreen.dll \
  plugins/styles/qwindowsvistastyle.dll
# Qt's paths from the installation folder, wherever it is: the plugins beside the
# programs, the Japanese texts of Qt's dialogs in translations\
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' >"$stage/qt.conf"
mkdir -p "$stage/translations"
cp /usr/share/qt6/translations/qtbase_ja.qm "$stage/translations/"
# the file lists: what the installer puts and the uninstaller takes away, no more
(
  cd "$stage"
  {
    find . -type d | sort | while IFS= read -r d; do
      rel="${d#./}"; [ "$d" = . ] && rel=""
      win="${rel//\//\\}"
      printf 'SetOutPath "$INSTDIR%s"\n' "${win:+\\$win}"
      find "$d" -maxdepth 1 -type f | sort | while IFS= read -r f; do
        printf 'File "%s"\n' "$stage/${f#./}"
      done
    done
  } >"$build/files.nsh"
  {
    find . -type f | sort | while IFS= read -r f; do
      rel="${f#./}"; printf 'Delete "$INSTDIR\\%s"\n' "${rel//\//\\}"
    done
    find . -mindepth 1 -type d | sort -r | while IFS= read -r d; do
      rel="${d#./}"; printf 'RMDir "$INSTDIR\\%s"\n' "${rel//\//\\}"
    done
  } >"$build/unfiles.nsh"
)
setup_key="$( { cat "$here/kovel.nsi" "$build/files.nsh" "$build/unfiles.nsh"; (cd "$stage" && find . -type f -print0 | sort -z | xargs -0 sha256sum); } | sha256sum | cut -c1-16)"
if [ -f "$setup" ] && [ "$(cat "$setup.key" 2>/dev/null)" = "$setup_key" ]; then
  done_in "unchanged"
else
  rm -f "$setup" "$setup.key"
  nice -n 19 makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DLISTS="$build" -DOUTFILE="$setup" \
    "$here/kovel.nsi" >"$build/makensis.log" 2>&1 || { cat "$build/makensis.log" >&2; fail "makensis failed"; }
  echo "$setup_key" >"$setup.key"
  done_in "made ($(du -h "$setup" | cut -f1))"
fi
echo "build=$build"
echo "installer=$setup"
