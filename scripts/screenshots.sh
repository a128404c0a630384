#!/usr/bin/env bash
# Pictures of the library's dialogs on sample data, into docs/screens/.
#   scripts/screenshots.sh [SCENE...]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win64 >/dev/null && cmake --build --preset win64 --target screens >/dev/null
out=build/win64/screens
rm -rf "$out" && mkdir -p "$out" docs/screens
winout=$(printf 'Z:%s' "$(pwd)/$out" | tr '/' '\\')
(cd build/win64/bin && ../../../scripts/wine-run.sh .. screens.exe "$winout" "$@") >/dev/null
for bmp in "$out"/*.bmp; do
  png=docs/screens/$(basename "${bmp%.bmp}").png
  convert "$bmp" "$png"
  echo "$png"
done
