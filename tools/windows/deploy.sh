#!/usr/bin/env bash
# Puts Windows programs into a folder with the DLLs they load, and no more.
#   deploy.sh QT_PREFIX DEST FILE...
# A FILE is a program or DLL (copied into DEST), or plugins/KIND/NAME.dll of the
# Windows Qt (copied into DEST/KIND, where Qt looks for it beside the program).
# Then every DLL that something in DEST imports is copied from the Windows Qt or
# the compiler's runtime; a DLL found in neither is Windows' own and stays out.
set -euo pipefail
[ $# -ge 3 ] || { echo "usage: deploy.sh QT_PREFIX DEST FILE..." >&2; exit 2; }
qt="$1" dest="$2"; shift 2
triplet=x86_64-w64-mingw32
compiler=$triplet-g++-posix
search=("$qt/bin"
        "$(dirname "$($compiler -print-file-name=libstdc++-6.dll)")"
        "$(dirname "$(readlink -f "$($compiler -print-file-name=libwinpthread-1.dll)")")")
mkdir -p "$dest"
for f in "$@"; do
  case "$f" in
    plugins/*) src="$qt/$f"; to="$dest/$(basename "$(dirname "$f")")" ;;
    *) src="$f"; to="$dest" ;;
  esac
  [ -f "$src" ] || { echo "deploy.sh: no such file: $src" >&2; exit 1; }
  mkdir -p "$to"
  cp "$src" "$to/"
done

imports() { $triplet-objdump -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p'; }
find_dll() {
  local d want="${1,,}"
  for d in "${search[@]}"; do
    local hit
    hit="$(find "$d" -maxdepth 1 -type f -iname "$want" -print -quit 2>/dev/null)"
    [ -n "$hit" ] && { echo "$hit"; return 0; }
  done
  return 1
}
# Imports of imports, until nothing new turns up.
queue=()
while IFS= read -r -d '' f; do queue+=("$f"); done < <(find "$dest" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0)
while [ ${#queue[@]} -gt 0 ]; do
  f="${queue[0]}"; queue=("${queue[@]:1}")
  while IFS= read -r dll; do
    [ -n "$dll" ] || continue
    [ -e "$dest/$dll" ] && continue
    if hit="$(find_dll "$dll")"; then
      cp "$hit" "$dest/$(basename "$hit")"
      queue+=("$dest/$(basename "$hit")")
    fi
  done < <(imports "$f")
done
