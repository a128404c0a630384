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
# The services start with the first program of a server: start them from one
# whose output goes nowhere, or they would hold the caller's output pipe open
# until the server exits.
"$WINESERVER" -p120 >/dev/null 2>&1 </dev/null || true
timeout 300 "$WINE64" cmd /c exit >/dev/null 2>&1 </dev/null || true
exec timeout "${VTK_WINE_TIMEOUT:-300}" "$WINE" "$@"
