#!/usr/bin/env bash
# Runs a command inside a virtual X desktop with a window manager and a system tray,
# which is what the Windows build needs under Wine: without a window manager new
# windows get no focus, and without a tray host icons land in a stand-in window. The
# tray has a fixed width: sized on request it can shrink to 2 pixels when an icon docks.
# Usage: tools/with-desktop.sh COMMAND [ARGS...]
set -uo pipefail

pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
}
trap cleanup EXIT INT TERM

# Xvfb picks a free display itself (-displayfd) and takes its lock as it does, so two
# desktops started at the same moment never share one.
if [ -n "${QUELLIN_DISPLAY:-}" ]; then
  Xvfb "$QUELLIN_DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  display=$QUELLIN_DISPLAY
else
  numberfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberfile" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 1 100); do [ -s "$numberfile" ] && break; sleep 0.1; done
  display=":$(tr -dc 0-9 <"$numberfile")"
  rm -f "$numberfile"
  [ "$display" != ":" ] || { echo "with-desktop.sh: Xvfb did not start" >&2; exit 1; }
fi
export DISPLAY=$display
for _ in $(seq 1 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "with-desktop.sh: Xvfb did not start on $display" >&2; exit 1; }

openbox >/dev/null 2>&1 &
pids+=($!)
# The window manager must be up before the first window maps.
for _ in $(seq 1 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
xset r off 2>/dev/null || true

# Wine's shell docks icons only in a tray that is there when it starts, and the tray is
# there once it owns the system-tray selection of screen 0. A tray host that has not taken
# it within 5 s is started again, once.
tray_ready() {
  /usr/bin/python3 - <<'PY' 2>/dev/null
import sys
from Xlib import X, display
d = display.Display()
owner = d.get_selection_owner(d.intern_atom("_NET_SYSTEM_TRAY_S0"))
sys.exit(0 if owner != X.NONE else 1)
PY
}
start_tray() {
  trayer --edge bottom --align right --widthtype pixel --width 96 --height 32 --SetDockType true \
    --transparent false --tint 0x808080 >/dev/null 2>&1 &
  tray_pid=$!
  pids+=($tray_pid)
  local deadline=$((SECONDS + 5))
  until tray_ready; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}
if ! start_tray; then
  kill "$tray_pid" 2>/dev/null
  start_tray || echo "with-desktop.sh: the tray host did not start; icons will land in Wine's stand-in window" >&2
fi

"$@"
status=$?
# Wine processes of the prefix must not outlive the desktop they draw on.
if [ -n "${WINEPREFIX:-${QUELLIN_WINEPREFIX:-}}" ]; then
  WINEPREFIX=${WINEPREFIX:-$QUELLIN_WINEPREFIX} wineserver -k 2>/dev/null || true
fi
exit $status
