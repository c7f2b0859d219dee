#!/usr/bin/env bash
# Runs the floppy cases of assembly_test and demo_media_test with A: as a removable
# drive of a fresh prefix: A: is linked to a folder, marked "floppy", and the prefix's
# wineserver restarted so the drive type takes effect.
source "$(dirname "$0")/lib.sh"
floppy="$E2E_WORK/floppy"
mkdir -p "$floppy"
ln -sfn "$floppy" "$WINEPREFIX/dosdevices/a:"
wine reg add 'HKLM\Software\Wine\Drives' /v 'a:' /d floppy /f >/dev/null 2>&1 || fail "cannot mark A: as a floppy"
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
for run in "assembly_test FloppyAssemblyTest.*" "demo_media_test DemoMedia.FloppySet*"; do
  set -- $run
  out="$E2E_WORK/$1.txt"
  wine "$BUILD/tests/win32/$1.exe" --gtest_filter="$2" >"$out" 2>&1 || { cat "$out"; fail "$1: floppy cases failed"; }
  cat "$out"
  grep -q 'SKIPPED' "$out" && fail "$1: A: was not a removable drive"
  grep -q '\[  PASSED  \]' "$out" || fail "$1: the floppy cases did not pass"
done
echo "floppy cases passed"
