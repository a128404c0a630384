#!/usr/bin/env bash
# Exit 0 when this machine runs 32-bit Windows programs: the kernel must run
# 32-bit code (some kernels are built without it) and the 32-bit Wine loader
# must be installed. Asked of the loader itself, never assumed.
loader=/usr/lib/wine/wine
[ -x "$loader" ] || exit 1
timeout 60 "$loader" --version >/dev/null 2>&1
