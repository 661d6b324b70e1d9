#!/usr/bin/env bash
# Builds Quellin and runs it under Wine: on your X display when DISPLAY is set, else in a
# virtual desktop, of which a screenshot of the tray is saved every 10 seconds to
# build/screenshots/tray.png. Installs what is missing first (tools/setup.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh

if tools/can-run-win32.sh; then arch=win32; else arch=win64; fi
cmake --preset "$arch" >/dev/null
cmake --build --preset "$arch" --target Quellin >/dev/null
exe=build/$arch/bin/Quellin.exe
if [ "$arch" = win64 ]; then
  echo "run.sh: this kernel runs no 32-bit programs; running the x86-64 build of Quellin"
fi

run() { tools/wine-run.sh --arch "$arch" "$exe" "$@"; }
if [ -n "${DISPLAY:-}" ]; then
  run "$@"
else
  mkdir -p build/screenshots
  echo "run.sh: no DISPLAY; Quellin runs in a virtual desktop. See build/screenshots/tray.png"
  # shellcheck disable=SC2016
  tools/with-desktop.sh bash -c '
    ( while sleep 10; do import -window root build/screenshots/tray.png 2>/dev/null; done ) &
    shooter=$!
    tools/wine-run.sh --arch '"$arch"' '"$exe"' "$@"
    kill $shooter' run "$@"
fi
