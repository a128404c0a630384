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
settings="$WINEPREFIX/.vtksup-settings-2"
reg() { timeout 60 "$WINE64" reg add "$@" /f >/dev/null 2>&1; }
apply_settings() {
  # Without a window manager, Wine waits two seconds for every hidden window
  # to be withdrawn unless it manages the windows itself.
  reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
  touch "$settings"
}
if [ -f "$stamp" ]; then
  [ -f "$settings" ] || { vtk_start_display; apply_settings; }
  exit 0
fi

mkdir -p "$HOME" "$VTK_DRIVES"/{a,d,e,f,g}
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$HOME/.asoundrc"
rm -rf "$WINEPREFIX"
vtk_start_display
timeout 300 "$WINE64" wineboot -i >/dev/null 2>&1 || true
timeout 120 "$WINESERVER" -w || true
for d in a d e f g; do
  ln -sfn "$VTK_DRIVES/$d" "$WINEPREFIX/dosdevices/$d:"
done
reg 'HKLM\Software\Wine\Drives' /v a: /t REG_SZ /d floppy
reg 'HKLM\Software\Wine\Drives' /v e: /t REG_SZ /d floppy
reg 'HKLM\Software\Wine\Drives' /v f: /t REG_SZ /d floppy
reg 'HKLM\Software\Wine\Drives' /v d: /t REG_SZ /d hd
reg 'HKLM\Software\Wine\Drives' /v g: /t REG_SZ /d cdrom
apply_settings
timeout 120 "$WINESERVER" -w || true
touch "$stamp"
