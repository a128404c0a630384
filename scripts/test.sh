#!/usr/bin/env bash
# Sets up the machine, builds every preset and runs every test: the native
# core with sanitizers, the 32-bit product checks, and the x86_64 build under
# Wine. Ends with one summary line "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

status=0
passed=0 failed=0
run_preset() {
  local preset=$1; shift
  echo "== $preset"
  if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset"; then
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
run_preset win32 -LE smoke32
run_preset win64
# Stop the build's Wine server and display (nothing else keeps them alive).
( . scripts/wine-env.sh build/win64 && "$WINESERVER" -k ) >/dev/null 2>&1 || true

echo "$passed passed, $failed failed"
exit $status
