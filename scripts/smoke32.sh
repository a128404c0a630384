#!/usr/bin/env bash
# Opt-in (ctest -L smoke32): runs the 32-bit vtkhost and VTKSUP.dll under a
# 32-bit Wine. On machines whose kernel cannot run 32-bit code that needs
# wine32 under qemu-user-static, which is unreliable; without it the test is
# skipped (exit 77).
set -uo pipefail
build=$(cd "$1" && pwd)
wine32=/usr/lib/wine/wine
# Needs wine32:i386, qemu-user-static registered for i386 ELF files in
# binfmt_misc, and (measured) a preload shim that emulates MAP_FIXED_NOREPLACE,
# without which wineboot dies with a segmentation fault under qemu.
[ -x "$wine32" ] && timeout 60 "$wine32" --version >/dev/null 2>&1 || { echo "no runnable 32-bit Wine: skipped"; exit 77; }
export WINEPREFIX="$build/wineprefix32" WINEARCH=win32 WINEDEBUG=-all LANG=ja_JP.UTF-8
[ -d "$WINEPREFIX" ] || timeout 600 "$wine32" wineboot -i >/dev/null 2>&1 || { echo "32-bit prefix failed: skipped"; exit 77; }
out=$(cd "$build/bin" && timeout 300 "$wine32" vtkhost.exe GetDnLoadNewFolderPath 0 'C:\Dictation\' 'E:\' 2>&1)
echo "$out"
grep -q '^result=1' <<<"$out" && grep -q '^folderA=C:\\Dictation$' <<<"$out"
