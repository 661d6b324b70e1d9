#!/usr/bin/env bash
# Exit 0 when this machine can run 32-bit Wine. Some kernels are booted without 32-bit
# program support; there the Windows tests run on the x86-64 build of the same sources.
/usr/lib/wine/wine --version >/dev/null 2>&1
