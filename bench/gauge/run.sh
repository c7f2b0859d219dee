#!/usr/bin/env bash
# The gauge's repaint rule under Wine: a million position changes (a byte-level unpack
# progress) with repaints only on a percentage change, against a peer that repaints on
# every change; one run, medians of several rounds. Needs the win64 build and a display.
#   bash bench/gauge/run.sh [BUILD_WIN64] [STEPS] [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/win64}
steps=${2:-1000000}
rounds=${3:-5}
cmake --build "$build" --target corvan_win32 >/dev/null
work=$(mktemp -d "${TMPDIR:-/tmp}/corvan-gauge.XXXXXX")
trap 'rm -rf "$work"' EXIT
x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX \
  -I"$root" -o "$work/gauge_repaint.exe" "$root/bench/gauge/gauge_repaint.cpp" \
  "$build/libcorvan_win32.a" "$build/core/libcorvan_core.a" -static -lz -lole32 -loleaut32 -luuid \
  -lwindowscodecs -lgdi32 -lmsimg32 -luser32 -lcomctl32 -lcomdlg32 -lshell32 -lshlwapi -ladvapi32
"$build/wine-run.sh" "$work/gauge_repaint.exe" "$steps" "$rounds"
