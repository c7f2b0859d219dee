#!/usr/bin/env bash
# Unpacking speed and memory of the setup's archive reader, native, one run:
#  - throughput against Info-ZIP `unzip -o` (target >= 1.3x) and against a plain zlib
#    loop (Python's zipfile reading each entry in 1 MiB chunks; target >= 1.0x), medians
#    of several rounds on the same product-like archive, every contender writing files
#    and checking CRCs;
#  - peak memory (max RSS) unpacking a 1 GB archive: at most the 2,500,000-byte part
#    buffer + 8 MB.
#   bash bench/zip/run.sh [PAYLOAD_MB] [ROUNDS] [BIG_ARCHIVE_MB]   (BIG_ARCHIVE_MB 0 skips)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
payload_mb=${1:-240}
rounds=${2:-5}
big_mb=${3:-1024}
work=$(mktemp -d "${TMPDIR:-/tmp}/corvan-zipbench.XXXXXX")
trap 'rm -rf "$work"' EXIT

source "$root/tools/posixmedia/sources.sh"
g++ -O2 -std=c++20 -I"$root" -o "$work/zip_extract" "$root/bench/zip/zip_extract.cpp" "${media_sources[@]}" -lz

cat > "$work/reference.py" <<'PY'
# The plain zlib loop: zipfile (CRC checked as it reads), 1 MiB chunks, one file per entry.
import os, sys, zipfile
archive, folder = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(archive) as z:
    for info in z.infolist():
        target = os.path.join(folder, info.filename)
        if info.is_dir():
            os.makedirs(target, exist_ok=True)
            continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with z.open(info) as src, open(target, "wb") as dst:
            while chunk := src.read(1 << 20):
                dst.write(chunk)
PY

# A product-like payload of about MB megabytes: program binaries (incompressible, so
# zip stores them), tables that deflate about 4:1, and many small files.
make_payload() {  # folder MB
  python3 - "$1" "$2" <<'PY'
import os, random, sys
out, total = sys.argv[1], int(sys.argv[2]) * 1024 * 1024
rng = random.Random(1)
def put(name, data):
    path = os.path.join(out, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "ab") as f: f.write(data)
binaries = total * 2 // 5
for i, share in enumerate((0.45, 0.2, 0.15, 0.1, 0.1)):
    name = ("CORVAN.EXE", "OUTPOST.EXE", "PAYDESK.EXE", "TENDRIX.EXE", "CFX32.OCX")[i]
    left = int(binaries * share)
    while left > 0:
        n = min(left, 8 << 20); put(name, os.urandom(n)); left -= n
tables = total - binaries
# One 8 MiB block of varied rows, written again and again: deflate sees 32 KiB back, so
# every copy compresses like fresh rows, and making a gigabyte takes seconds.
block = "".join(f"{k:09d};4111;5121;Partener {k % 997} SRL;{rng.randrange(10**7) / 100:.2f}\r\n"
                for k in range(140000)).encode()[:8 << 20]
for t in range(12):
    left = tables // 12
    while left > 0:
        put(f"DATA/T{t:02d}.DB", block[:left]); left -= len(block[:left])
for k in range(300):
    put(f"VerInfo/3200876.02/img{k:03d}.htm", f"<p>Instructiuni {k}</p>\r\n".encode() * rng.randrange(1, 400))
PY
}

mkdir -p "$work/payload"
make_payload "$work/payload" "$payload_mb"
(cd "$work/payload" && zip -q -r -X -n .EXE:.OCX "$work/EXE.ZIP" .)
rm -rf "$work/payload"
archive_mb=$(( $(stat -c %s "$work/EXE.ZIP") / 1048576 ))
echo "== archive EXE.ZIP: ${archive_mb} MiB holding ${payload_mb} MiB; ${rounds} rounds"

timeit() { local s e; s=$(date +%s%N); "$@" >/dev/null; e=$(date +%s%N); echo $(((e - s) / 1000)); }
run_ours() { "$work/zip_extract" "$work/EXE.ZIP" "$1"; }
run_unzip() { unzip -o -qq "$work/EXE.ZIP" -d "$1"; }
run_python() { python3 "$work/reference.py" "$work/EXE.ZIP" "$1"; }
contenders=(ours unzip python)
declare -A times
for ((r = 0; r < rounds; r++)); do
  # Rotate who goes first; each unpacks into a fresh folder after the disk settles.
  for ((k = 0; k < ${#contenders[@]}; k++)); do
    c=${contenders[$(((k + r) % ${#contenders[@]}))]}
    rm -rf "$work/out-$c"; mkdir -p "$work/out-$c"; sync
    times[$c]+="$(timeit "run_$c" "$work/out-$c") "
  done
done
diff -r "$work/out-ours" "$work/out-unzip" >/dev/null || { echo "our output differs from unzip's" >&2; exit 1; }
diff -r "$work/out-ours" "$work/out-python" >/dev/null || { echo "our output differs from zipfile's" >&2; exit 1; }
rm -rf "$work"/out-*

median() { tr ' ' '\n' | grep -v '^$' | sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }
declare -A med
for c in "${contenders[@]}"; do
  med[$c]=$(echo "${times[$c]}" | median)
  awk -v c="$c" -v us="${med[$c]}" -v mb="$payload_mb" -v all="${times[$c]}" \
    'BEGIN { printf "%-7s median %7.3f s  %7.1f MiB/s of output   (rounds, us: %s)\n", c, us / 1e6, mb / (us / 1e6), all }'
done
ratio() { awk -v a="${med[$1]}" -v b="${med[ours]}" 'BEGIN { printf "%.2f", a / b }'; }
echo "ratio ours vs unzip -o:      $(ratio unzip)x  (target >= 1.3)"
echo "ratio ours vs zipfile loop:  $(ratio python)x  (target >= 1.0)"

if ((big_mb > 0)); then
  # The big archive: the same mix, about big_mb MB once zipped.
  mkdir -p "$work/payload"
  make_payload "$work/payload" $((big_mb * 100 / 53))
  (cd "$work/payload" && zip -q -r -X -n .EXE:.OCX "$work/BIG.ZIP" .)
  rm -rf "$work/payload"
  mkdir -p "$work/out-big"
  /usr/bin/time -v "$work/zip_extract" "$work/BIG.ZIP" "$work/out-big" 2>"$work/time.txt"
  rss_kb=$(awk -F: '/Maximum resident set size/ {gsub(/ /, "", $2); print $2}' "$work/time.txt")
  limit=$((2500000 + 8 * 1048576))
  echo "peak memory unpacking $(( $(stat -c %s "$work/BIG.ZIP") / 1048576 )) MiB: $((rss_kb * 1024)) bytes max RSS (limit $limit)"
  ((rss_kb * 1024 <= limit)) || { echo "peak memory over the limit" >&2; exit 1; }
fi
