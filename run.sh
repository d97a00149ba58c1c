#!/usr/bin/env bash
# Installs what is missing, builds the two programs (not the tests and benchmarks), and
# starts KOVEL from the repository root (where shape/ and boundary/ are). Arguments go to
# the program.
set -euo pipefail
cd "$(dirname "$0")"
tools/deps.sh
KOVEL_TARGETS="kovel kovel-cli" tools/build.sh
if [ -x build/kovel ]; then
  if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "画面（ディスプレイ）がありません。xvfb-run ./run.sh で仮想画面の上で起動できます。" >&2
    echo "No display found. Run it under a virtual display: xvfb-run ./run.sh" >&2
    exit 1
  fi
  exec build/kovel "$@"
fi
exec build/kovel-cli "$@"
