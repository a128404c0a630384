#!/usr/bin/env bash
# Makes the package for a host's developer and checks that it holds exactly
# what it promises, with the DLL as built.
# usage: check-package.sh BUILD_DIR ZIP_NAME
set -euo pipefail
build=$1 zip=$2
cmake --build "$build" --target package >/dev/null
top=${zip%.zip}
want="README.txt bin/VTKSUP.dll bin/vtkhost.exe lib/libVTKSUP.dll.a lib/VTKSUP.lib lib/vtksup.def
include/vtksup.h docs/exports.md docs/chooser.png"
got=$(unzip -Z1 "$build/$zip" | grep -v '/$' | sed "s|^$top/||" | sort)
fail=0
for f in $want; do
  grep -qx "$f" <<<"$got" || { echo "missing: $f"; fail=1; }
done
# Every picture that the reference shows is in the package.
for f in $(grep -o '([a-z/_-]*\.png)' "$(dirname "$0")/../docs/exports.md" | tr -d '()' | sort -u); do
  grep -qx "docs/$f" <<<"$got" || { echo "missing picture: docs/$f"; fail=1; }
done
unzip -p "$build/$zip" "$top/bin/VTKSUP.dll" | cmp -s - "$build/bin/VTKSUP.dll" || { echo "VTKSUP.dll differs from the build's"; fail=1; }
[ $fail = 0 ] && echo "ok: $zip, $(grep -c . <<<"$got") files"
exit $fail
