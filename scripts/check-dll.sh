#!/usr/bin/env bash
# Checks a built VTKSUP.dll: its PE format, an export table that holds exactly
# the names of the module-definition file, and imports of system DLLs only
# (the C++ runtime is linked statically).
# usage: check-dll.sh DLL FORMAT DEF     (FORMAT: pei-i386 or pei-x86-64)
set -euo pipefail
dll=$1 format=$2 def=$3
case $format in
  pei-i386) objdump=i686-w64-mingw32-objdump ;;
  *) objdump=x86_64-w64-mingw32-objdump ;;
esac
dump=$("$objdump" -p "$dll")
fail=0

got_format=$("$objdump" -f "$dll" | sed -n 's/.*file format \(.*\)/\1/p')
[ "$got_format" = "$format" ] || { echo "format: $got_format, expected $format"; fail=1; }

want=$(sed -n '/^EXPORTS/,$p' "$def" | tail -n +2 | awk 'NF {print $1}' | sort)
# The name table of the export directory: lines "[ n] Name" after "[Ordinal/Name Pointer] Table".
got=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' \
      | sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*\([^[:space:]]*\).*/\1/p' | sort)
if [ "$want" != "$got" ]; then
  echo "exports differ from $def:"; diff <(echo "$want") <(echo "$got") || true; fail=1
fi
[ "$(printf '%s\n' "$got" | grep -c .)" = 24 ] || { echo "expected 24 exports"; fail=1; }
if printf '%s\n' "$got" | grep -q '[@]'; then echo "decorated export names"; fail=1; fi

allowed='^(kernel32|user32|gdi32|shell32|advapi32|comdlg32|mpr|msvfw32|winmm|msvcrt|comctl32)\.dll$'
imports=$(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
for d in $imports; do
  [[ $d =~ $allowed ]] || { echo "unexpected import: $d"; fail=1; }
done
[ $fail = 0 ] && echo "ok: $format, 24 undecorated exports, imports: $(echo $imports)"
exit $fail
