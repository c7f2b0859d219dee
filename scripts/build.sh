#!/usr/bin/env bash
# Builds the three targets: native (core, its tests, host tools), Windows x86-64
# (the product, stand-ins, Wine tests) and Windows i686 (the customer's build).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVAN_BUILD:-$root/build}
jobs=${CORVAN_JOBS:-$(nproc)}
configure() {  # dir [cmake args...]
  local dir=$1; shift
  [ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}
targets=${*:-native win64 win32}
for t in $targets; do
  case $t in
    native) configure "$build/native" ;;
    win64) configure "$build/win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" ;;
    win32) configure "$build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" ;;
    *) echo "unknown target $t" >&2; exit 2 ;;
  esac
  echo "== build $t"
  cmake --build "$build/$t" -j "$jobs"
done
