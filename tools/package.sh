#!/usr/bin/env bash
# Builds the Debian package kovel_VERSION_ARCH.deb in the repository root: the window and
# kovel-cli built in build-package/ (no tests, no benchmarks), installed under /usr into a
# staging folder, packed with dpkg-deb. The dependencies are the shared libraries the two
# programs link (found by dpkg-shlibdeps) and the Japanese font and Qt translations.
# Install it with:  sudo apt-get install ./kovel_VERSION_ARCH.deb
# KOVEL_MAINTAINER sets the package's maintainer ("Name <address>"); the default is a
# placeholder to be replaced by whoever publishes the package. KOVEL_DEB_REVISION sets the
# package revision (default 1).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
need=()
for p in dpkg-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${need[@]}" >/dev/null
fi

# KOVEL_BUILD_DIR: an existing build folder to take the programs from (for example build/)
build="${KOVEL_BUILD_DIR:-build-package}"
stage="$build/stage"
version=$(sed -n 's/^project(kovel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
# the program's version and the package's own revision (a new packaging of the same
# program counts it up): VERSION in the file name is for example 1.0-1
revision="${KOVEL_DEB_REVISION:-1}"
debversion="$version-$revision"
arch=$(dpkg --print-architecture)
deb="kovel_${debversion}_${arch}.deb"

if [ ! -f "$build/CMakeCache.txt" ]; then
  launcher=()
  command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # Debian's hardening flags (stack protector, fortified functions, read-only relocations
  # bound at start)
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKOVEL_WITH_BENCH=OFF "${launcher[@]}" >/dev/null
fi
cmake --build "$build" -j"$(nproc)" --target kovel kovel-cli
rm -rf "$stage"
DESTDIR="$PWD/$stage" cmake --install "$build" --prefix /usr --strip >/dev/null
strip --remove-section=.comment "$stage/usr/bin/kovel" "$stage/usr/bin/kovel-cli"
gzip -9n "$stage/usr/share/man/man1/kovel.1" "$stage/usr/share/man/man1/kovel-cli.1"

maintainer="${KOVEL_MAINTAINER:-KOVEL developers <kovel@example.com>}"
# the date of the last commit, so that the same tree packs the same changelog
stamp="${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}"
doc="$stage/usr/share/doc/kovel"
mkdir -p "$doc"
cp README.md "$doc/README.md"
install -m 644 packaging/copyright "$doc/copyright"
cat > "$doc/changelog.Debian" <<CHANGELOG
kovel ($debversion) unstable; urgency=medium

  * Package of KOVEL $version: the window program kovel and kovel-cli, the
    section catalogue, the pictures and the help, the desktop entry, the
    icons, the project file type and the manual pages.

 -- $maintainer  $(LC_ALL=C date -u -R -d "@$stamp")
CHANGELOG
gzip -9n "$doc/changelog.Debian"

# the shared-library dependencies, as dpkg-shlibdeps reads them from the binaries
work="$build/shlibdeps"
rm -rf "$work" && mkdir -p "$work/debian"
printf 'Source: kovel\n\nPackage: kovel\nArchitecture: any\n' > "$work/debian/control"
libs=$(cd "$work" && dpkg-shlibdeps -O "$OLDPWD/$stage/usr/bin/kovel" "$OLDPWD/$stage/usr/bin/kovel-cli" 2>/dev/null |
       sed -n 's/^shlibs:Depends=//p')
[ -n "$libs" ] || { echo "dpkg-shlibdeps found no libraries" >&2; exit 1; }

size=$(du -sk "$stage/usr" | cut -f1)
mkdir -p "$stage/DEBIAN"
cat > "$stage/DEBIAN/control" <<CONTROL
Package: kovel
Version: $debversion
Architecture: $arch
Maintainer: $maintainer
Installed-Size: $size
Depends: $libs, fonts-ipafont-gothic, qt6-translations-l10n
Recommends: xdg-utils
Section: science
Priority: optional
Homepage: https://example.com/kovel/
Description: steel beam check (Japanese)
 KOVEL checks one steel beam at a time: span, unbraced length, four support
 conditions and one load case; a section from the JIS catalogue, computed,
 typed or registered; then moments, reactions, deflection, the allowable
 bending stress and a verdict, printed calculation sheets and a project file.
 The interface is Japanese. kovel-cli does the same from the command line.
CONTROL
(cd "$stage" && find usr -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum) > "$stage/DEBIAN/md5sums"
rm -f "$deb"
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "$deb"
dpkg-deb --field "$deb" Package Version Depends
