#!/usr/bin/env bash
# Runs a program of a Windows build under Wine (CTest's emulator for the cross builds).
# Usage: tools/wine-run.sh [--arch win32|win64] PROGRAM [ARGS...]
# Each architecture has its own prefix, made on first use; QUELLIN_WINEPREFIX picks another.
set -euo pipefail
arch=win32
if [ "${1:-}" = "--arch" ]; then arch=$2; shift 2; fi
export WINEARCH=$arch
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
export WINEPREFIX=${QUELLIN_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/quellin/wine-$arch}
# /usr/bin/wine always starts the 32-bit loader; the 64-bit one is not on PATH in Debian.
if [ "$arch" = win64 ]; then loader=/usr/lib/wine/wine64; else loader=/usr/lib/wine/wine; fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  # Parallel first uses would race on the new prefix.
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      "$loader" wineboot -i >/dev/null 2>&1 || true
      wineserver -w
    fi
  ) 9>"$WINEPREFIX.lock"
fi
exec "$loader" "$@"
