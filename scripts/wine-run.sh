#!/usr/bin/env bash
# Runs a Windows program of the build under the build folder's Wine prefix.
# CMake uses it as the cross-compiling emulator: wine-run.sh BUILD_DIR PROGRAM ARGS...
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1; shift
"$here/prepare-wineprefix.sh" "$build" || exit 1
. "$here/wine-env.sh" "$build"
vtk_start_display
# A persistent server keeps Wine's services alive between the test programs.
"$WINESERVER" -p120 >/dev/null 2>&1 || true
exec timeout "${VTK_WINE_TIMEOUT:-300}" "$WINE64" "$@"
