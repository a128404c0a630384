#!/usr/bin/env bash
# Prepares the 64-bit Wine prefix of one build folder, once.
#   A: E: F:  removable (the prefix declares them as floppy drives)
#   D:        fixed disk, for download folders
#   G:        CD-ROM
# The mount manager reads drive types only when wineserver starts, so the set
# of letters is fixed here; tests change only the folders' contents.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh" "$1"

stamp="$WINEPREFIX/.vtksup-ready"
[ -f "$stamp" ] && exit 0

mkdir -p "$HOME" "$VTK_DRIVES"/{a,d,e,f,g}
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$HOME/.asoundrc"
rm -rf "$WINEPREFIX"
vtk_start_display
timeout 300 "$WINE64" wineboot -i >/dev/null 2>&1 || true
timeout 120 "$WINESERVER" -w || true
for d in a d e f g; do
  ln -sfn "$VTK_DRIVES/$d" "$WINEPREFIX/dosdevices/$d:"
done
reg() { timeout 60 "$WINE64" reg add "$@" /f >/dev/null 2>&1; }
reg 'HKLM\Software\Wine\Drives' /v a: /t REG_SZ /d floppy
reg 'HKLM\Software\Wine\Drives' /v e: /t REG_SZ /d floppy
reg 'HKLM\Software\Wine\Drives' /v f: /t REG_SZ /d floppy
reg 'HKLM\Software\Wine\Drives' /v d: /t REG_SZ /d hd
reg 'HKLM\Software\Wine\Drives' /v g: /t REG_SZ /d cdrom
# Xvfb has no window manager: a managed window that is hidden makes Wine wait
# 2 s for the manager's answer, so every dialog would close 2 s late.
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
timeout 120 "$WINESERVER" -w || true
touch "$stamp"
