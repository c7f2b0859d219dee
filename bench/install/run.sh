#!/usr/bin/env bash
# The installation against a real peer installer, in one run, on one product-like payload:
#  - under Wine, whole processes: our copy (install_bench: the copy page's CopyComponents
#    on the media builder's CD folder, and on its floppy set inserted disk after disk into
#    A:) against NSIS installers of exactly the same files (zlib, non-solid; solid lzma)
#    installed silently, and a bare Wine program as the floor of start-up. Every output
#    is checked file by file against the payload (so against each other).
#    Targets: ours >= 2x NSIS zlib, and faster than NSIS lzma.
#  - natively: the archive reader (bench/zip/zip_extract) against bsdtar and 7zz x on the
#    same archives, and against the floor of reading each archive once and writing the
#    same bytes. Targets: >= 1.0x the faster peer, within 1.1x of the floor.
#  - start-up: INSTALL.EXE started on the media until its first page is shown, on the
#    warm prefix. Target <= 1.5 s.
# Medians of ROUNDS, the order rotated every round, each run into a fresh folder of the
# same warm prefix, the page cache warm for all. Wrong output fails; targets are reported.
# Outputs are deleted between rounds, never between contenders. The work folder lies in
# the build folder, away from /tmp: every new file there skips, one by one, the inodes the
# other test runs just deleted (ext4's allocator), which once tripled the cost of making
# a file, for every contender alike.
#   bash bench/install/run.sh [PAYLOAD_MB] [ROUNDS]     (CORVAN_BUILD: the build folder)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
payload_mb=${1:-241}
rounds=${2:-5}
build=${CORVAN_BUILD:-$root/build}/win64
bench_exe=$build/bench/install/install_bench.exe
setup_exe=$build/setup/INSTALL.exe
bare_exe=$build/tests/win32/exit_with.exe
builder=$build/host/mediabuilder/mediabuilder
for f in "$bench_exe" "$setup_exe" "$bare_exe" "$builder"; do
  [ -f "$f" ] || { echo "missing $f: bash scripts/build.sh win64" >&2; exit 1; }
done
"$root/scripts/make-wine-prefix.sh" "$build/wine/pristine"

work=$(mktemp -d "$build/installbench.XXXXXX")
export WINEPREFIX=$work/prefix
source "$root/scripts/wine-env.sh"
source "$root/scripts/xvfb.sh"
cleanup() {
  wineserver -k 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
trap 'echo "bench/install/run.sh: failed at line $LINENO" >&2' ERR
start_xvfb
echo "== installation benchmark: ${payload_mb} MiB payload, ${rounds} round(s); load: $(cut -d' ' -f1-3 /proc/loadavg)"

# --- The payload, our media and the peer's installers -------------------------------
python3 "$root/bench/install/make_payload.py" "$work/components" "$payload_mb"
order=(EXE OUTPOST DBDAT DBNEW BDE32 HELP PAYDESK)  # the component table's order
mkdir -p "$work/upgrade"
echo "upgrade package of the benchmark" >"$work/upgrade/README.TXT"
flock -s "$build/wine/pristine.lock" cp -a "$build/wine/pristine" "$WINEPREFIX"
drive_c=$WINEPREFIX/drive_c
media=$drive_c/media
mkdir -p "$media/drive-a"
"$builder" --components "$work/components" --setup "$setup_exe" --upgrade "$work/upgrade" --out "$media/cd" >/dev/null
"$builder" --components "$work/components" --setup "$setup_exe" --upgrade "$work/upgrade" --out "$media/floppy" \
  --floppy >/dev/null
disks=$(ls -d "$media"/floppy/DISK* | wc -l)

# What every contender must leave: the program and data folder (C:\...\Corvan) and the
# engine's folder, each file from the component that comes last in the table.
engine_tree="Borland/Common Files/BDE"
mkdir -p "$work/expected/Corvan" "$work/expected/$engine_tree"
for c in "${order[@]}"; do
  [ "$c" = BDE32 ] && dest=$engine_tree || dest=Corvan
  cp -al "$work/components/$c/." "$work/expected/$dest/"
done
files=$(find "$work/expected" -type f | wc -l)

nsis_script() {  # compressor-line output
  local c
  {
    echo "Unicode true"
    echo "Target amd64-unicode"
    echo "SetCompressor $1"
    echo "Name \"Corvan\""
    echo "OutFile \"$2\""
    echo "InstallDir \"C:\\Corvan\""
    echo "RequestExecutionLevel admin"
    echo "Section"
    for c in "${order[@]}"; do
      if [ "$c" = BDE32 ]; then echo "SetOutPath \"\$PROGRAMFILES64\\Borland\\Common Files\\BDE\""
      else echo "SetOutPath \"\$INSTDIR\""; fi
      echo "File /r \"$work/components/$c/*\""
    done
    echo "SectionEnd"
  }
}
nsis_script zlib "$media/nsis-zlib.exe" >"$work/zlib.nsi"
nsis_script "/SOLID lzma" "$media/nsis-lzma.exe" >"$work/lzma.nsi"
makensis -V1 "$work/zlib.nsi"
makensis -V1 "$work/lzma.nsi"
mib() { awk -v b="$1" 'BEGIN { printf "%.1f MiB", b / 1048576 }'; }
bytes() { find "$@" -type f -printf '%s\n' | awk '{ s += $1 } END { print s }'; }
payload_bytes=$(bytes "$work/components")
echo "payload: $files files, $(mib "$payload_bytes"); media: CD $(mib "$(bytes "$media/cd")"), \
floppy set of $disks disks; NSIS zlib $(mib "$(stat -c %s "$media/nsis-zlib.exe")"), lzma $(mib "$(stat -c %s "$media/nsis-lzma.exe")")"

# --- Under Wine ------------------------------------------------------------------------
# A: is a floppy drive (a folder the disks are moved into); the prefix's wineserver then
# stays up for the whole run, so every start finds it warm.
ln -sfn "$media/drive-a" "$WINEPREFIX/dosdevices/a:"
wine reg add 'HKLM\Software\Wine\Drives' /v 'a:' /d floppy /f >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
wineserver -p

engine_dir="$drive_c/Program Files/Borland"
run_bare() { wine "$bare_exe" 0; }
run_ours_cd() { wine "$bench_exe" 'C:\media\cd' "$1\\Corvan"; }
run_ours_floppy() { wine "$bench_exe" 'A:\' "$1\\Corvan" 'C:\media\floppy'; }
run_nsis_zlib() { wine 'C:\media\nsis-zlib.exe' /S "/D=$1\\Corvan"; }
run_nsis_lzma() { wine 'C:\media\nsis-lzma.exe' /S "/D=$1\\Corvan"; }
# Checks what a contender left in its folder (the engine folder is the same for
# everybody, so it is moved beside the program folder first).
check_output() {  # contender unix-folder
  [ "$1" = bare ] && return 0
  [ -d "$engine_dir" ] || { echo "$1 left no engine folder" >&2; return 1; }
  mv "$engine_dir" "$2/Borland"
  diff -r "$work/expected" "$2" >"$work/diff.txt" || { echo "$1: output differs:" >&2; head -5 "$work/diff.txt" >&2; return 1; }
}

timeit() { local s e; s=$(date +%s%N); "$@" >"$work/out.txt" 2>&1 || { cat "$work/out.txt" >&2; return 1; }; e=$(date +%s%N); echo $(((e - s) / 1000)); }

contenders=(bare ours_cd ours_floppy nsis_zlib nsis_lzma)
declare -A times
# Round 0 warms the page cache and the prefix and is not counted.
for ((r = 0; r <= rounds; r++)); do
  for ((k = 0; k < ${#contenders[@]}; k++)); do
    c=${contenders[$(((k + r) % ${#contenders[@]}))]}
    folder="$drive_c/bench/r$r-$c"
    mkdir -p "$folder"
    sync
    t=$(timeit "run_$c" "C:\\bench\\r$r-$c") || { echo "$c failed" >&2; exit 1; }
    check_output "$c" "$folder" || exit 1
    ((r == 0)) || times[$c]+="$t "
  done
  rm -rf "$drive_c/bench"
done
echo "output check: ours (CD and floppy set), NSIS zlib and NSIS lzma each left exactly the payload's $files files, byte for byte"

median() { tr ' ' '\n' | grep -v '^$' | sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }
declare -A med
show() {  # label name
  med[$2]=$(echo "${times[$2]}" | median)
  awk -v l="$1" -v us="${med[$2]}" -v all="${times[$2]}" 'BEGIN { printf "  %-34s median %7.3f s   (us: %s)\n", l, us / 1e6, all }'
}
echo "under Wine, whole processes:"
show "bare Wine program (start-up floor)" bare
show "ours, CD media" ours_cd
show "ours, floppy set ($disks disks)" ours_floppy
show "NSIS zlib" nsis_zlib
show "NSIS solid lzma" nsis_lzma
verdict() { awk -v x="$1" -v t="$2" 'BEGIN { print (x >= t ? "met" : "MISSED") }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
net() { awk -v a="$1" -v b="$2" -v f="${med[bare]}" 'BEGIN { printf "%.2f", (a - f) / (b - f) }'; }
r_zlib=$(ratio "${med[nsis_zlib]}" "${med[ours_cd]}")
r_lzma=$(ratio "${med[nsis_lzma]}" "${med[ours_cd]}")
echo "ratio NSIS zlib / ours (CD):     ${r_zlib}x  (target >= 2.0: $(verdict "$r_zlib" 2.0)); without the start-up floor $(net "${med[nsis_zlib]}" "${med[ours_cd]}")x"
echo "ratio NSIS lzma / ours (CD):     ${r_lzma}x  (target > 1.0: $(verdict "$r_lzma" 1.0001)); without the start-up floor $(net "${med[nsis_lzma]}" "${med[ours_cd]}")x"
echo "ratio NSIS zlib / ours (floppy): $(ratio "${med[nsis_zlib]}" "${med[ours_floppy]}")x;  NSIS lzma / ours (floppy): $(ratio "${med[nsis_lzma]}" "${med[ours_floppy]}")x"

# --- Start-up: INSTALL.EXE on the media to its first page --------------------------------
# The first page is the install type page; a build without pages shows the driver's
# "Program incomplet!" message instead, and that is what is timed then.
first_window() {  # prints the caption once one of the first windows is shown
  local caption
  for ((i = 0; i < 3000; i++)); do
    for caption in "Alegeti tipul instalarii!" "Program incomplet!"; do
      if xdotool search --onlyvisible --name "^${caption}\$" >/dev/null 2>&1; then echo "$caption"; return 0; fi
    done
    sleep 0.01
  done
  return 1
}
temp_dir=$(ls -d "$drive_c"/users/*/Temp | grep -v Public | head -1)
startup=() shown=""
for ((r = 0; r <= rounds; r++)); do
  before=$(ls "$temp_dir")
  s=$(date +%s%N)
  wine 'C:\media\cd\INSTALL.EXE' >/dev/null 2>&1 &
  first=$!
  shown=$(first_window) || {
    echo "INSTALL.EXE showed no first page; windows shown:" >&2
    xdotool search --onlyvisible --name . 2>/dev/null | while read -r w; do xdotool getwindowname "$w"; done >&2
    exit 1
  }
  e=$(date +%s%N)
  wait "$first" || true
  ((r == 0)) || startup+=($(((e - s) / 1000)))
  local_dir=$(comm -13 <(echo "$before") <(ls "$temp_dir") | head -1)
  [ -n "$local_dir" ] || { echo "INSTALL.EXE made no local copy under Temp" >&2; exit 1; }
  # Closed as a user closes it, the key typed again until it is taken (a window just
  # shown may not have its focus yet; it may be gone before the key is released).
  key=alt+a
  [ "$shown" = "Program incomplet!" ] && key=Return
  for ((i = 0; i < 500; i++)); do
    pgrep -f "$local_dir" >/dev/null || break
    if ((i % 10 == 0)); then
      id=$(xdotool search --onlyvisible --name "^${shown}\$" 2>/dev/null | head -1)
      [ -n "$id" ] && { xdotool windowfocus --sync "$id" 2>/dev/null; xdotool key --window "$id" "$key" 2>/dev/null; } || true
    fi
    sleep 0.02
  done
  pgrep -f "$local_dir" >/dev/null && { echo "INSTALL.EXE did not end after its first page" >&2; exit 1; }
done
m_start=$(printf '%s\n' "${startup[@]}" | median)
awk -v us="$m_start" -v all="${startup[*]}" -v shown="$shown" 'BEGIN {
  printf "start-up, INSTALL.EXE on the CD to \"%s\" shown: median %.3f s   (us: %s)\n", shown, us / 1e6, all }'
echo "start-up target <= 1.5 s: $(awk -v us="$m_start" 'BEGIN { print (us <= 1500000 ? "met" : "MISSED") }')"
wineserver -k 2>/dev/null || true

# --- Natively: the reader against bsdtar, 7zz and the floor -------------------------------
native=$work/native
mkdir -p "$native/archives"
source "$root/tools/posixmedia/sources.sh"
g++ -O2 -std=c++20 -I"$root" -o "$native/zip_extract" "$root/bench/zip/zip_extract.cpp" "${media_sources[@]}" -lz
g++ -O2 -std=c++20 -I"$root" -o "$native/read_write_floor" "$root/bench/install/read_write_floor.cpp" \
  "${media_sources[@]}" -lz
archives=()
for c in "${order[@]}"; do
  cat $(ls "$media/cd/$c".* | sort -t. -k2 -n) >"$native/archives/$c.ZIP"
  archives+=("$native/archives/$c.ZIP")
done
each() {  # out command...: the command on every archive, into out/<BASE>
  local out=$1 a base; shift
  for a in "${archives[@]}"; do
    base=$(basename "$a" .ZIP)
    mkdir -p "$out/$base"
    "$@" "$a" "$out/$base" || return 1
  done
}
n_ours() { each "$1" "$native/zip_extract"; }
n_bsdtar() { each "$1" sh -c 'bsdtar -xf "$0" -C "$1"'; }
n_7zz() { each "$1" sh -c '7zz x -y -bd -o"$1" "$0" >/dev/null'; }
n_floor() { "$native/read_write_floor" "$1" "${archives[@]}"; }
sizes_of() { (cd "$1" && find . -type f -printf '%p %s\n' | sort); }
native_contenders=(ours bsdtar 7zz floor)
declare -A ntimes
for ((r = 0; r <= rounds; r++)); do
  for ((k = 0; k < ${#native_contenders[@]}; k++)); do
    c=${native_contenders[$(((k + r) % ${#native_contenders[@]}))]}
    out=$native/r$r/$c
    mkdir -p "$out"
    sync
    t=$(timeit "n_$c" "$out") || { echo "$c failed" >&2; exit 1; }
    ((r == 0)) || ntimes[$c]+="$t "
    if [ "$c" = floor ]; then  # the same files and sizes; its bytes are not the payload's
      [ "$(sizes_of "$out")" = "$(sizes_of "$work/components")" ] ||
        { echo "the floor wrote other files than the payload's" >&2; exit 1; }
    else
      diff -r "$work/components" "$out" >/dev/null || { echo "native $c: output differs from the payload" >&2; exit 1; }
    fi
  done
  rm -rf "$native/r$r"
done
echo "natively, the same archives ($(mib "$(cat "${archives[@]}" | wc -c)")), each output checked against the payload:"
for c in "${native_contenders[@]}"; do
  med[n_$c]=$(echo "${ntimes[$c]}" | median)
  awk -v c="$c" -v us="${med[n_$c]}" -v b="$payload_bytes" -v all="${ntimes[$c]}" \
    'BEGIN { printf "  %-7s median %7.3f s  %7.1f MiB/s of output   (us: %s)\n", c, us / 1e6, b / 1048576 / (us / 1e6), all }'
done
best=${med[n_bsdtar]}
((med[n_7zz] < best)) && best=${med[n_7zz]}
r_peer=$(ratio "$best" "${med[n_ours]}")
r_floor=$(ratio "${med[n_ours]}" "${med[n_floor]}")
echo "ratio faster of bsdtar and 7zz / ours: ${r_peer}x  (target >= 1.0: $(verdict "$r_peer" 1.0))"
echo "ours / floor:                          ${r_floor}x  (target <= 1.1: $(verdict 1.1 "$r_floor"))"
