#!/usr/bin/env bash
# Measures the Windows deliverables under Wine: file sizes, the DLLs Quellin.exe imports,
# its private bytes and handle count shortly after start and after a stretch of idle
# running, and the CPU time it takes per idle minute. Prints the figures as Markdown.
# Usage: tools/measure-quellin.sh [--build DIR] [--minutes N]   (defaults: build/win32, 10)
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/win32
minutes=10
while [ $# -gt 0 ]; do
  case $1 in
    --build) build=$2; shift 2 ;;
    --minutes) minutes=$2; shift 2 ;;
    *) echo "usage: $0 [--build DIR] [--minutes N]" >&2; exit 2 ;;
  esac
done

exe=$build/bin/Quellin.exe
dll=$build/bin/Tapline.dll
[ -f "$exe" ] && [ -f "$dll" ] || cmake --build "$build" --target Quellin >/dev/null
mkdir -p "$build/measure"
procstat=$build/measure/procstat.exe
i686-w64-mingw32-gcc -Wall -Wextra -Werror -O2 -o "$procstat" tools/measure/procstat.c -lntdll

echo "### Files"
echo
echo "| File | Bytes |"
echo "|---|---|"
for f in "$exe" "$dll"; do echo "| $(basename "$f") | $(stat -c %s "$f") |"; done
echo
echo "Imported DLLs of Quellin.exe: $(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | sort -f | paste -sd ' ')"
echo

# A prefix of its own, so that no other run's wine server or settings take part.
export QUELLIN_WINEPREFIX=$PWD/$build/measure/wineprefix
export MEASURE_EXE=$exe MEASURE_PROCSTAT=$procstat MEASURE_SECONDS=$((minutes * 60))
tools/with-desktop.sh bash -c '
  set -euo pipefail
  stat_of() { tools/wine-run.sh "$MEASURE_PROCSTAT" Quellin.exe | tr -d "\r"; }
  field() { sed -n "s/.*$1=\([0-9]*\).*/\1/p" <<<"$2"; }
  # The Linux view of the same process: clock ticks of user and system time, and the
  # resident memory that no other process shares.
  ticks() { awk "{print \$14 + \$15}" "/proc/$1/stat"; }
  anon_kb() { awk "/^RssAnon:/ {print \$2}" "/proc/$1/status"; }
  tools/wine-run.sh "$MEASURE_EXE" >/dev/null 2>&1 &
  pid=
  for _ in $(seq 1 100); do
    pid=$(pgrep -f "^$MEASURE_EXE\$" | head -n 1 || true)
    [ -n "$pid" ] && break
    sleep 0.1
  done
  [ -n "$pid" ] || { echo "measure-quellin.sh: Quellin.exe did not start" >&2; exit 1; }
  sleep 10
  first=$(stat_of); t0=$(ticks "$pid"); a0=$(anon_kb "$pid")
  sleep "$MEASURE_SECONDS"
  last=$(stat_of); t1=$(ticks "$pid"); a1=$(anon_kb "$pid")
  hz=$(getconf CLK_TCK)
  minutes=$((MEASURE_SECONDS / 60))
  echo "| After | Private bytes (Wine) | Handles (Wine) | Private resident KiB (Linux) |"
  echo "|---|---|---|---|"
  echo "| 10 s | $(field private "$first") | $(field handles "$first") | $a0 |"
  echo "| $minutes min 10 s | $(field private "$last") | $(field handles "$last") | $a1 |"
  echo
  cpu_win=$(( ($(field cpu_ms "$last") - $(field cpu_ms "$first")) / minutes ))
  cpu_linux=$(( (t1 - t0) * 1000 / hz / minutes ))
  echo "CPU time per idle minute: $cpu_win ms as Wine counts it, $cpu_linux ms as Linux counts the process."
'
