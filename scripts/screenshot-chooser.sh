#!/usr/bin/env bash
# Takes docs/chooser.png: the directory chooser in select mode on a sample
# tree with one folder opened, rendered by Wine inside its virtual desktop
# (which draws the caption and frame that Xvfb alone would not).
# Usage: scripts/screenshot-chooser.sh [BUILD_DIR]   (default build/win64)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/win64}
scripts/prepare-wineprefix.sh "$build"
. scripts/wine-env.sh "$build"
vtk_start_display
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VTK_SHOT_SIGNAL="Z:$(tr / '\\' <<<"$work")\\shot"
"$WINESERVER" -p120 >/dev/null 2>&1 || true
timeout 120 "$WINE64" explorer /desktop=shots,800x600 "$build/bin/test_directorydialog.exe" \
  --gtest_also_run_disabled_tests --gtest_filter='*ScreenshotOfTheChooser' >/dev/null 2>&1 &
runner=$!
for _ in $(seq 1 600); do [ -f "$work/shot.ready" ] && break; sleep 0.1; done
[ -f "$work/shot.ready" ] || { echo "the chooser did not open" >&2; exit 1; }
sleep 1
import -display "$DISPLAY" -window root "$work/full.png"
touch "$work/shot.done"
wait "$runner" || true
# The desktop sits at the top left; keep the dialog and a small margin.
convert "$work/full.png" -crop 800x600+0+0 +repage -fuzz 2% -trim +repage -bordercolor white -border 0 docs/chooser.png
echo "docs/chooser.png"
