#!/usr/bin/env bash
# Runs the floppy cases of assembly_test with A: as a removable drive of a fresh prefix:
# A: is linked to a folder, marked "floppy", and the prefix's wineserver restarted so
# the drive type takes effect.
source "$(dirname "$0")/lib.sh"
floppy="$E2E_WORK/floppy"
mkdir -p "$floppy"
ln -sfn "$floppy" "$WINEPREFIX/dosdevices/a:"
wine reg add 'HKLM\Software\Wine\Drives' /v 'a:' /d floppy /f >/dev/null 2>&1 || fail "cannot mark A: as a floppy"
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
out="$E2E_WORK/out.txt"
wine "$BUILD/tests/win32/assembly_test.exe" --gtest_filter='FloppyAssemblyTest.*' >"$out" 2>&1 || { cat "$out"; fail "floppy cases failed"; }
cat "$out"
grep -q 'SKIPPED' "$out" && fail "A: was not a removable drive"
grep -q '\[  PASSED  \]' "$out" || fail "the floppy cases did not pass"
echo "floppy cases passed"
