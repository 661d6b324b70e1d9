#!/usr/bin/env bash
# Renders the settings window and the icon set under Wine in the current X display and
# saves screenshots for people to look at. Usage: screenshot.sh OUT_DIR PROGRAM EMULATOR...
set -uo pipefail
[ -n "${DISPLAY:-}" ] || { echo "no X display: skipped (run under tools/with-desktop.sh)"; exit 77; }
out=$1
program=$2
shift 2
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && exec "$@" "$program") &
pid=$!

find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
sheet=""
dialog=""
for _ in $(seq 1 300); do
  sheet=$(find_window '^Quellin icons$')
  dialog=$(find_window '^Verrow Quellin!$')
  [ -n "$sheet" ] && [ -n "$dialog" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$sheet" ] || [ -z "$dialog" ]; then
  echo "the windows did not appear"
  touch "$work/gallery.stop"
  wait "$pid"
  exit 1
fi
sleep 1
status=0
import -window root "$out/resources-desktop.png" || status=1
import -frame -window "$dialog" "$out/settings-dialog.png" || status=1
import -frame -window "$sheet" "$out/icon-set.png" || status=1
touch "$work/gallery.stop"
wait "$pid" || status=1
[ $status -eq 0 ] && echo "screenshots in $out"
exit $status
