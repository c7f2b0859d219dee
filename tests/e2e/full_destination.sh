#!/usr/bin/env bash
# Runs the full-destination cases of assembly_test and zip_archive_test with F: as a
# drive of its own that really fills up: a 2 MiB tmpfs mounted for this run and linked
# as the prefix's F:. (Wine runs as root here, so quotas and permissions prove nothing;
# a file system that is out of room does.) Without the right to mount, the cases cannot
# be run, and the script says so and fails.
source "$(dirname "$0")/lib.sh"
small="$E2E_WORK/small"
mkdir -p "$small"
mount -t tmpfs -o size=2m corvan-small "$small" || fail "cannot mount a tmpfs of 2 MiB (needs root): no full drive to test with"
trap 'umount "$small" 2>/dev/null || true; e2e_cleanup' EXIT
ln -sfn "$small" "$WINEPREFIX/dosdevices/f:"
for run in "assembly_test AssemblyTest.AFullProgramFolder*" "zip_archive_test ZipArchive.AFullDestination*"; do
  set -- $run
  out="$E2E_WORK/$1.txt"
  CORVAN_FULL_DRIVE='F:\' WINEDEBUG=-all wine "$BUILD/tests/win32/$1.exe" --gtest_filter="$2" >"$out" 2>&1 ||
    { cat "$out"; fail "$1: the full-destination cases failed"; }
  cat "$out"
  grep -q 'SKIPPED' "$out" && fail "$1: F: was not given to the test"
  grep -q '\[  PASSED  \] 1 test' "$out" || fail "$1: the full-destination case did not run"
done
echo "full-destination cases passed"
