#!/usr/bin/env bash
# Sets up the machine, builds the library and the sample host, and runs the
# sample host on sample data under the Windows runtime.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset win64 >/dev/null && cmake --build --preset win64 --target VTKSUP vtkhost
cmake --preset win32 >/dev/null && cmake --build --preset win32 --target VTKSUP vtkhost
scripts/prepare-wineprefix.sh build/win64
host() { (cd build/win64/bin && ../../../scripts/wine-run.sh .. vtkhost.exe "$@"); }

# Sample data: D:\Dictation already holds today's first new folder.
today=$(date +%Y.%-m.%-d)
rm -rf build/win64/drives/d/Dictation
mkdir -p "build/win64/drives/d/Dictation/$today-1"
echo "D:\\Dictation holds: $(ls build/win64/drives/d/Dictation)"
echo "> vtkhost GetDnLoadNewFolderPath 1 D:\\Dictation \"\""
host GetDnLoadNewFolderPath 1 'D:\Dictation' ''
