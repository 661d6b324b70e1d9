#!/usr/bin/env bash
# Installs everything the builds and tests need on Debian 12. Safe to run again:
# it only calls apt when a package is missing, so a prepared machine costs a second.
set -euo pipefail

packages=(
  # native build, tests, sanitizers, fuzzing, benchmarks
  cmake ninja-build g++ make git python3 clang libclang-rt-14-dev googletest libbenchmark-dev
  # Windows cross builds (the posix variant of g++ is needed for GoogleTest): the 32-bit
  # deliverables, and the same sources for x86-64 where 32-bit programs cannot run
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  # running and driving the Windows build in a virtual desktop
  wine wine32:i386 wine64 xvfb openbox trayer xdotool x11-utils x11-xserver-utils imagemagick python3-xlib
  # help file, installer and release archive
  fp-utils nsis zip unzip
  ca-certificates procps
)

if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then exec sudo -E "$0" "$@"; fi
  echo "setup.sh: run as root (or install sudo) to install the build packages" >&2
  exit 1
fi

missing=()
for p in "${packages[@]}"; do
  # dpkg-query reports installed packages as "install ok installed"
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup.sh: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -qq
apt-get install -y -qq "${missing[@]}" >/dev/null
