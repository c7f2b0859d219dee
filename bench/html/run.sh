#!/usr/bin/env bash
# The HTML view's speed:
#  - native, one run: our parse + layout of a large instructions page against libgumbo's
#    parse of the same bytes (medians of ROUNDS; target >= 1.0x);
#  - under Wine (when the Windows build is there, on a display of its own): the time from
#    loading to the page painted in the viewer, for the demo page and a 1 MB page (medians).
#   bash bench/html/run.sh [SIZE_MB] [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${CORVAN_BUILD:-$root/build}
size_mb=${1:-2}
rounds=${2:-5}
work=$(mktemp -d "${TMPDIR:-/tmp}/corvan-htmlbench.XXXXXX")
trap 'rm -rf "$work"' EXIT
demo="$root/standins/product/payload/VerInfo/3200876.02/Instruct.htm"

sources=()
for f in charset entities parser css style frames page widths table layout form links hit; do
  sources+=("$root/core/html_$f.cpp")
done
g++ -O2 -std=c++20 -I"$root" -o "$work/html_bench" "$root/bench/html/html_bench.cpp" "${sources[@]}" \
  "$root/core/text.cpp" $(pkg-config --cflags --libs gumbo)
python3 "$root/bench/html/make_page.py" "$demo" $((size_mb * 1024 * 1024)) "$work/large.htm"
echo "== HTML: our parse + layout against libgumbo's parse (native)"
"$work/html_bench" "$work/large.htm" "$rounds"

show="$build/win64/tests/win32/html_show.exe"
if [ ! -f "$show" ]; then
  echo "(no Windows build: the load-to-painted times under Wine are skipped)"
  exit 0
fi
python3 "$root/bench/html/make_page.py" "$demo" $((1024 * 1024)) "$work/mega.htm"
cp "$build"/win64/components/EXE/VerInfo/3200876.02/* "$work/"
source "$root/scripts/wine-env.sh"
source "$root/scripts/xvfb.sh"
export WINEPREFIX="$work/prefix"
"$root/scripts/make-wine-prefix.sh" "$build/win64/wine/pristine"
flock -s "$build/win64/wine/pristine.lock" cp -a "$build/win64/wine/pristine" "$WINEPREFIX"
cleanup() {
  wineserver -k 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
start_xvfb
echo "== HTML under Wine: load to painted (median of $rounds)"
for page in Instruct.htm mega.htm; do
  times=()
  for ((i = 0; i < rounds; i++)); do
    # A marker that cannot be written: the window ends as soon as it has been painted.
    out=$(wine "$show" "$(winepath -w "$work/$page")" 'C:\no-such-folder\ready' 2>/dev/null | tr -d '\r')
    times+=("$(sed -n 's/.*painted_ms=\([0-9.]*\).*/\1/p' <<<"$out")")
  done
  median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((rounds + 1) / 2))p")
  printf '%-12s %8s bytes: %s ms (rounds: %s)\n' "$page" "$(stat -c %s "$work/$page")" "$median" "${times[*]}"
done
