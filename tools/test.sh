#!/usr/bin/env bash
# Runs every test: the portable code natively and under AddressSanitizer and UBSan, a
# short fuzzing run, the Windows build's checks, and the Windows tests under Wine in a
# virtual desktop. Installs what is missing first (tools/setup.sh).
set -uo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh || exit 1

failed=()
step() {
  local name=$1; shift
  echo "=== $name"
  if ! "$@"; then failed+=("$name"); fi
}

step "native" bash -c 'cmake --preset native >/dev/null && cmake --build --preset native && ctest --preset native'
step "native-asan" bash -c 'cmake --preset native-asan >/dev/null && cmake --build --preset native-asan && ctest --preset native-asan'
step "fuzz" bash -c 'cmake --preset fuzz >/dev/null && cmake --build --preset fuzz && ctest --preset fuzz'

# The 32-bit deliverables are always built and their files checked. Their tests run under
# 32-bit Wine where the kernel runs 32-bit programs, else the x86-64 build of the same
# sources runs them under 64-bit Wine.
if tools/can-run-win32.sh; then
  step "win32" bash -c 'cmake --preset win32 >/dev/null && cmake --build --preset win32 &&
    QUELLIN_WINEPREFIX=$PWD/build/win32/wineprefix tools/with-desktop.sh ctest --preset win32'
else
  echo "=== note: this kernel runs no 32-bit programs; Windows tests run on the x86-64 build"
  step "win32 files" bash -c 'cmake --preset win32 >/dev/null && cmake --build --preset win32 &&
    ctest --preset win32 -L static'
  step "win64" bash -c 'cmake --preset win64 >/dev/null && cmake --build --preset win64 &&
    QUELLIN_WINEPREFIX=$PWD/build/win64/wineprefix tools/with-desktop.sh ctest --preset win64'
fi

if [ ${#failed[@]} -ne 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "All test stages passed."
