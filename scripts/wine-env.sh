# Sourced by the Wine helper scripts. Usage: . wine-env.sh BUILD_DIR
# Everything that belongs to one build folder lives under it: the prefix,
# the scratch folders behind the test drive letters, and a HOME whose
# .asoundrc gives the MCI window a silent sound device.
mkdir -p "$1"
VTK_BUILD=$(cd "$1" && pwd)
export WINEPREFIX="$VTK_BUILD/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=d;mshtml=d;winedbg.exe=d;winemenubuilder.exe=d"
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
export HOME="$VTK_BUILD/wine-home"
export VTK_DRIVES="$VTK_BUILD/drives"
WINE64=/usr/lib/wine/wine64
[ -x "$WINE64" ] || WINE64=$(command -v wine64)
# The loader for the build's programs: the 32-bit one for a PE32 build (the
# configure step writes pe-bits), in the same 64-bit prefix.
WINE=$WINE64
if [ "$(cat "$VTK_BUILD/pe-bits" 2>/dev/null)" = 32 ]; then
  WINE=/usr/lib/wine/wine
  [ -x "$WINE" ] || WINE=$(command -v wine)
fi
WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver)
# One X display per build folder, so that two build folders never share one.
if [ -z "${VTK_DISPLAY:-}" ]; then
  VTK_DISPLAY=":$(( 100 + $(printf '%s' "$VTK_BUILD" | cksum | cut -d' ' -f1) % 400 ))"
fi
export DISPLAY="$VTK_DISPLAY"

vtk_start_display() {
  if ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
    setsid Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    for _ in $(seq 1 50); do
      xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break
      sleep 0.1
    done
  fi
}
