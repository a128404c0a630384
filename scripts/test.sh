#!/usr/bin/env bash
# Sets up the machine, builds every preset and runs every test: the native
# core with sanitizers, and the Windows-runtime tier on the product itself,
# the 32-bit build under 32-bit Wine. A machine whose kernel cannot run 32-bit
# code (scripts/probe32.sh) runs that tier on the 64-bit build instead; the
# 32-bit artefact is built and checked either way, and the other build's DLL
# is checked too, so the sources stay 32/64-bit clean.
# Ends with one summary line "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

status=0
passed=0 failed=0
# run_preset PRESET [CTEST-ARGS...]; VTK_TARGETS limits what is built.
run_preset() {
  local preset=$1; shift
  echo "== $preset"
  local targets=()
  [ -n "${VTK_TARGETS:-}" ] && targets=(--target $VTK_TARGETS)
  if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset" "${targets[@]}"; then
    echo "build of $preset failed"; failed=$((failed + 1)); status=1; return
  fi
  local log
  log=$(mktemp)
  ctest --preset "$preset" "$@" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
  if [ -n "$line" ]; then
    local total fails
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    fails=$(sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/' <<<"$line")
    passed=$((passed + total - fails)); failed=$((failed + fails))
  fi
  [ "$rc" = 0 ] || status=1
  rm -f "$log"
}

run_preset native
if scripts/probe32.sh; then
  echo "Windows-runtime tests: the 32-bit build under 32-bit Wine"
  run_preset win32
  VTK_TARGETS="VTKSUP vtkhost" run_preset win64 -R '^artefact\.VTKSUP\.'
else
  echo "Windows-runtime tests: this machine cannot run 32-bit code, so they run on the 64-bit build (the 32-bit build is only built and checked)"
  run_preset win32 -R '^artefact\.'
  run_preset win64
fi
# Stop the builds' Wine servers and displays (nothing else keeps them alive).
for b in build/win32 build/win64; do
  ( . scripts/wine-env.sh "$b" && "$WINESERVER" -k ) >/dev/null 2>&1 || true
done

echo "$passed passed, $failed failed"
exit $status
