#!/usr/bin/env bash
# Checks that host programs linked through an import library import from
# VTKSUP.dll by the undecorated names of the module-definition file, so that
# the loader finds them (a 32-bit __stdcall symbol such as _Name@20 must not
# reach the import table).
# usage: check-host-imports.sh FORMAT DEF EXE...     (FORMAT: pei-i386 or pei-x86-64)
set -euo pipefail
format=$1 def=$2
shift 2
case $format in
  pei-i386) objdump=i686-w64-mingw32-objdump ;;
  *) objdump=x86_64-w64-mingw32-objdump ;;
esac
exports=$(sed -n '/^EXPORTS/,$p' "$def" | tail -n +2 | awk 'NF {print $1}')
fail=0
for exe in "$@"; do
  # The member names listed under "DLL Name: VTKSUP.dll", up to the blank line.
  names=$("$objdump" -p "$exe" | sed -n '/DLL Name: VTKSUP.dll/,/^$/p' | awk 'NF == 3 && $2 ~ /^[0-9]+$/ {print $3}')
  [ -n "$names" ] || { echo "$exe: imports nothing from VTKSUP.dll"; fail=1; }
  for n in $names; do
    grep -qx "$n" <<<"$exports" || { echo "$exe: imports $n, which VTKSUP.dll does not export"; fail=1; }
  done
  [ $fail = 1 ] || echo "ok: $(basename "$exe") imports $(echo $names)"
done
exit $fail
