#!/usr/bin/env bash
# The test command: installs what is missing, builds every target and runs every test
# layer — native core tests, Win32 tests under Wine, end-to-end runs of INSTALL.EXE
# under Xvfb. Screenshots are kept under build/win64/screenshots.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVAN_BUILD:-$root/build}
jobs=${CORVAN_JOBS:-$(nproc)}

[ "$(id -u)" = 0 ] && bash "$root/scripts/bootstrap.sh"
bash "$root/scripts/build.sh" native win64 win32

status=0
echo "== i686 export and import tables"
bash "$root/tests/i686/export_tables.sh" "$build/win32" || status=1

echo "== native tests"
ctest --test-dir "$build/native" --output-on-failure -j "$jobs" || status=1

source "$root/scripts/xvfb.sh"
start_xvfb
trap stop_xvfb EXIT
echo "== Windows tests under Wine (display $DISPLAY)"
ctest --test-dir "$build/win64" --output-on-failure -j "$jobs" || status=1
exit $status
