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
echo "== folder layers (no include points up)"
python3 "$root/tools/layercheck/check_layers.py" "$root" || status=1

echo "== i686 export and import tables"
bash "$root/tests/i686/export_tables.sh" "$build/win32" || status=1

echo "== INSTALL.EXE size (i686, with all its pictures)"
# Disk 1 of the floppy set (1,457,664 bytes) holds INSTALL.EXE whole, with INSTALL.CFG,
# the disk's label and the first parts of the archives; 1,200,000 bytes leaves them a
# sixth of the disk.
exe="$build/win32/setup/INSTALL.exe"
exe_limit=1200000
if [ -f "$exe" ]; then
  exe_size=$(stat -c %s "$exe")
  echo "INSTALL.EXE: $exe_size bytes (limit $exe_limit)"
  if [ "$exe_size" -gt "$exe_limit" ]; then
    echo "INSTALL.EXE is over $exe_limit bytes: disk 1 of a floppy set would have no room left for the archives' first parts" >&2
    status=1
  fi
else
  echo "INSTALL.EXE missing: $exe" >&2
  status=1
fi

echo "== native tests"
ctest --test-dir "$build/native" --output-on-failure -j "$jobs" || status=1

echo "== archive reader: fuzzing (bounded) and benchmark"
CORVAN_BUILD="$build" bash "$root/fuzz/run.sh" || status=1
bash "$root/bench/zip/run.sh" 120 3 1024 || status=1
echo "== HTML parser and layout: fuzzing (bounded) and benchmark"
CORVAN_BUILD="$build" bash "$root/fuzz/html_run.sh" || status=1
CORVAN_BUILD="$build" bash "$root/bench/html/run.sh" 2 3 || status=1

# Every Wine test program and end-to-end run brings its own prefix and X display, so they
# run side by side without sharing focus, pointer or windows.
echo "== Windows tests under Wine"
ctest --test-dir "$build/win64" --output-on-failure -j "$jobs" || status=1

echo "== installation against NSIS: a small run (wrong output fails, ratios printed)"
CORVAN_BUILD="$build" bash "$root/bench/install/run.sh" 4 1 || status=1
exit $status
