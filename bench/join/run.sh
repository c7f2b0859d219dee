#!/usr/bin/env bash
# Joining parts: the setup's copy loop (join_parts, 2,500,000-byte buffer per part)
# against `cat` of the same parts, native, one run, medians of several rounds.
# The parts: a product-like archive (compressible tables and incompressible binaries,
# deflated by zip) cut to floppy size. Target: join throughput >= 0.95 x cat.
#   bash bench/join/run.sh [SIZE_MB] [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
size_mb=${1:-200}
rounds=${2:-7}
work=$(mktemp -d "${TMPDIR:-/tmp}/corvan-join.XXXXXX")
trap 'rm -rf "$work"' EXIT

g++ -O2 -std=c++20 -I"$root" -o "$work/join_parts" "$root/bench/join/join_parts.cpp" \
  "$root/core/disk_sets.cpp" "$root/core/install_settings.cpp" "$root/core/text.cpp"

# A product-like archive: half random binaries, half table text.
mkdir -p "$work/payload" "$work/parts"
python3 - "$work/payload" "$size_mb" <<'PY'
import os, random, sys
out, size = sys.argv[1], int(sys.argv[2]) * 1024 * 1024
rng = random.Random(1)
half = size // 2
with open(os.path.join(out, "PROGRAM.EXE"), "wb") as f:
    f.write(os.urandom(half))
with open(os.path.join(out, "NOTE.DB"), "wb") as f:
    written, i = 0, 0
    while written < half * 4:  # tables compress about 4:1
        block = "".join(f"{i + k:09d};4111;5121;Partener {(i + k) % 997} SRL;{rng.randrange(10**7) / 100:.2f}\r\n"
                        for k in range(20000)).encode()
        f.write(block)
        written += len(block)
        i += 20000
PY
(cd "$work/payload" && zip -q -r "$work/EXE.ZIP" .)
rm -rf "$work/payload"
# Floppy-size parts EXE.1 .. EXE.n.
split -b 1457664 -a 4 -d "$work/EXE.ZIP" "$work/parts/p"
i=1
for p in "$work"/parts/p*; do mv "$p" "$work/parts/EXE.$i"; i=$((i + 1)); done
parts=("$work"/parts/EXE.*)  # in the shell's name order; join_parts orders them itself
ordered=()
for ((k = 1; k < i; k++)); do ordered+=("$work/parts/EXE.$k"); done
archive_bytes=$(stat -c %s "$work/EXE.ZIP")
echo "archive $((archive_bytes / 1048576)) MiB in ${#ordered[@]} parts"

mkdir -p "$work/ours" "$work/cat"
timeit() { local s e; s=$(date +%s%N); "$@"; e=$(date +%s%N); echo $(((e - s) / 1000)); }
ours=() cats=()
for ((r = 0; r < rounds; r++)); do
  # Alternate who goes first; each writes a fresh file.
  if ((r % 2)); then
    cats+=("$(timeit sh -c 'cat "$@" > "$0/EXE.ZIP"' "$work/cat" "${ordered[@]}")")
    ours+=("$(timeit "$work/join_parts" "$work/ours" "${parts[@]}")")
  else
    ours+=("$(timeit "$work/join_parts" "$work/ours" "${parts[@]}")")
    cats+=("$(timeit sh -c 'cat "$@" > "$0/EXE.ZIP"' "$work/cat" "${ordered[@]}")")
  fi
  cmp -s "$work/ours/EXE.ZIP" "$work/EXE.ZIP" || { echo "join_parts gave a different archive" >&2; exit 1; }
  cmp -s "$work/cat/EXE.ZIP" "$work/EXE.ZIP" || { echo "cat gave a different archive" >&2; exit 1; }
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
m_ours=$(median "${ours[@]}")
m_cat=$(median "${cats[@]}")
awk -v o="$m_ours" -v c="$m_cat" -v b="$archive_bytes" 'BEGIN {
  printf "join_parts: median %.1f ms (%.0f MB/s)\n", o / 1000, b / o
  printf "cat:        median %.1f ms (%.0f MB/s)\n", c / 1000, b / c
  printf "join throughput / cat throughput = %.2f (target >= 0.95)\n", c / o
  exit !(c / o >= 0.95)
}'
