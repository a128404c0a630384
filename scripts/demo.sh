#!/usr/bin/env bash
# A card download with the sample host, from sample data to the files on
# disk. A removable drive E: stands for the Miniature Card and holds
# generated dictation files; D:\Dictation already holds two of them and a
# different recording under the name of a third. The host keeps its settings
# in vtkhost.ini between the calls, as the dictation player does.
#
#   scripts/demo.sh                 scripted: the host's scripted user presses
#                                   Start/OK, and each dialog is photographed
#                                   into docs/screens/ (under Xvfb)
#   scripts/demo.sh --interactive   on your display: you press the buttons
set -euo pipefail
cd "$(dirname "$0")/.."
interactive=0
[ "${1:-}" = "--interactive" ] && interactive=1
if ((interactive)) && [ -z "${DISPLAY:-}" ]; then
  echo "demo: --interactive needs a display (DISPLAY is not set)" >&2
  exit 2
fi

scripts/setup.sh
# The product is the 32-bit build; a machine that cannot run 32-bit code
# runs the same sources built for 64-bit.
preset=win32
if ! scripts/probe32.sh; then
  preset=win64
  echo "demo: this machine cannot run 32-bit code; the demo runs the 64-bit build"
fi
cmake --preset $preset >/dev/null && cmake --build --preset $preset --target VTKSUP vtkhost
build=build/$preset
scripts/prepare-wineprefix.sh $build
((interactive)) && export VTK_DISPLAY="$DISPLAY"
. scripts/wine-env.sh $build
vtk_start_display
"$WINESERVER" -p120 >/dev/null 2>&1 </dev/null || true
echo "demo: VTKSUP.dll and vtkhost.exe of the $preset build ($build)"

bin=$build/bin
shots=$(pwd)/docs/screens
work=$(pwd)/$build/demo-shots

# The host, inside Wine's virtual desktop so that the dialogs have their
# frames and captions, with its output in a file (the desktop does not pass
# the console on).
host() {
  local out=$work/out.txt
  rm -f "$out"
  (cd "$bin" && timeout 120 "$WINE" explorer /desktop=vtkdemo,800x600 \
     cmd /c "vtkhost.exe $* > Z:${out//\//\\}" >/dev/null 2>&1 </dev/null) || true
  sed 's/\r$//' "$out"
}

# Pictures: the scripted user writes NN.req with a dialog's rectangle and
# waits; this takes the picture of the screen, cuts the dialog out and lets
# it go on. Pictures are named after the step that shows them.
photographer() {
  while :; do
    for req in "$work"/*.req; do
      [ -e "$req" ] || continue
      read -r x y w h <"$req"
      import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "${req%.req}.png" 2>/dev/null || true
      rm -f "$req"
    done
    sleep 0.1
  done
}
name_shots() {  # NAME... for 01.png, 02.png ...
  local i=1
  for name in "$@"; do
    local src; src=$(printf '%s/%02d.png' "$work" "$i")
    [ -e "$src" ] && mv "$src" "$shots/$name.png"
    i=$((i + 1))
  done
  rm -f "$work"/*.png
}

rm -rf "$work" && mkdir -p "$work" "$shots"
if ((!interactive)); then
  export VTKHOST_SCRIPT=1
  export VTKHOST_SHOTS="Z:${work//\//\\}"
  photographer & photographer_pid=$!
  trap 'kill $photographer_pid 2>/dev/null || true' EXIT
fi

# Sample data. A dictation file is identified by its bytes 50 to 67.
drives=$build/drives
dss() {  # FILE SEED: 96 bytes, identity from SEED
  python3 - "$1" "$2" <<'PY'
import sys
seed = int(sys.argv[2])
body = bytearray(b"\x02dss sample dictation " + b"." * 74)
for i in range(50, 68):
    body[i] = 0x41 + (seed * 7 + i) % 26
body[50] = seed
open(sys.argv[1], "wb").write(bytes(body))
PY
}
rm -rf "$drives"/e/* "$drives"/d/Dictation
mkdir -p "$drives"/d/Dictation
for i in 1 2 3 4 5 6; do dss "$drives/e/DS000$i.DSS" "$i"; done
cp "$drives"/e/DS0001.DSS "$drives"/e/DS0002.DSS "$drives"/d/Dictation/  # downloaded before
dss "$drives"/d/Dictation/DS0003.DSS 99                                  # another recording
rm -f "$bin/vtkhost.ini"
# The card reader's device instance names E, as the card driver records it.
"$WINE" reg add 'HKLM\Enum\ESDI\EMCDFTL_MINIATURE_CARD__2\0000' /v CurrentDriveLetterAssignment /d E /f >/dev/null 2>&1
echo "card E: holds:        $(ls "$drives"/e | tr '\n' ' ')"
echo "D:\\Dictation holds:   $(ls "$drives"/d/Dictation | tr '\n' ' ')"

echo; echo "> vtkhost GetMiniCardDrive"
host GetMiniCardDrive
echo; echo "> vtkhost DnLoadOptions Folder=D:\\Dictation Drive=E:\\ Method=1   (the options dialog)"
host DnLoadOptions 'Folder=D:\Dictation' 'Drive=E:\' Method=1 Delete=0
name_shots dnload-options
echo; echo "> vtkhost DnLoadCondition   (new-folder form, Start)"
host DnLoadCondition
name_shots dnload-condition-newfolder dnload-count
echo; echo "> vtkhost DnLoadCondition Method=0 Delete=1   (simple form, Start, delete: OK)"
host DnLoadCondition Method=0 Delete=1
name_shots dnload-condition dnload-count-simple dnload-delete-question
echo
echo "D:\\Dictation now holds: $(cd "$drives"/d/Dictation && ls -R | tr '\n' ' ')"
echo "card E: now holds:      $(ls "$drives"/e | tr '\n' ' ')"
((interactive)) || echo "pictures: $(cd "$shots" && ls *.png | tr '\n' ' ')"
