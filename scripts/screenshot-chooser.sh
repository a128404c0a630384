#!/usr/bin/env bash
# Takes docs/chooser.png: the directory chooser in select mode on a sample
# tree with one folder opened, drawn by the screens tool (tools/screens).
# Usage: scripts/screenshot-chooser.sh
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset win64 >/dev/null && cmake --build --preset win64 --target screens >/dev/null
out=build/win64/screens-chooser
rm -rf "$out" && mkdir -p "$out"
winout=$(printf 'Z:%s' "$(pwd)/$out" | tr '/' '\\')
(cd build/win64/bin && ../../../scripts/wine-run.sh .. screens.exe "$winout" chooser) >/dev/null
convert "$out/chooser.bmp" docs/chooser.png
echo "docs/chooser.png"
