#!/usr/bin/env bash
# Makes the import libraries of VTKSUP.dll from its module-definition file:
# a GNU one for mingw hosts and a Microsoft-format one for the Microsoft
# linker (llvm-dlltool writes short import members, as lib.exe does).
# A 32-bit host's __stdcall call refers to the decorated symbol (_Name@20):
# the name that the library's objects define for each export is written into
# the libraries, and -k imports it under the undecorated export name.
# usage: make-implibs.sh ARCH DEF MINGW_LIB MS_LIB OBJECT_OR_ARCHIVE...   (ARCH: i386 or x86_64)
set -euo pipefail
arch=$1 def=$2 mingw_lib=$3 ms_lib=$4
shift 4
case $arch in
  i386) tools=i686-w64-mingw32 machine=i386 ;;
  *) tools=x86_64-w64-mingw32 machine=i386:x86-64 ;;
esac
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

defined=$("$tools-nm" -g --defined-only "$@" | awk '$2 == "T" {sub(/^_/, "", $3); print $3}')
{
  echo "LIBRARY VTKSUP.dll"
  echo "EXPORTS"
  for name in $(sed -n '/^EXPORTS/,$p' "$def" | tail -n +2 | awk 'NF {print $1}'); do
    symbol=$(printf '%s\n' "$defined" | grep -m1 -E "^$name(@[0-9]+)?$" || true)
    [ -n "$symbol" ] || { echo "make-implibs: no object defines $name" >&2; exit 1; }
    [ "$arch" != i386 ] || [[ $symbol == *@* ]] || { echo "make-implibs: $name is not __stdcall" >&2; exit 1; }
    echo "  $symbol"
  done
} >"$work/decorated.def"

# dlltool names internal symbols after the output path: give it the bare name.
(cd "$(dirname "$mingw_lib")" &&
  "$tools-dlltool" -m "$machine" -d "$work/decorated.def" -D VTKSUP.dll -k -l "$(basename "$mingw_lib")")
llvm-dlltool -m "$machine" -d "$work/decorated.def" -D VTKSUP.dll -k -l "$ms_lib"
