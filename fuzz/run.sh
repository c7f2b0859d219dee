#!/usr/bin/env bash
# Builds the archive reader's libFuzzer target (clang, ASan + UBSan) and runs it for a
# bounded time (CORVAN_FUZZ_SECONDS, 60 by default) from seeds made by zip and Python.
# A crash or a broken promise fails the run and leaves its input under the build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${CORVAN_BUILD:-$root/build}/fuzz
seconds=${CORVAN_FUZZ_SECONDS:-60}
mkdir -p "$out/corpus" "$out/seeds" "$out/artifacts"

source "$root/tools/posixmedia/sources.sh"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I "$root" "$root/fuzz/zip_reader_fuzz.cpp" "${media_sources[@]}" -lz -o "$out/zip_reader_fuzz"

# Seeds: small archives of every shape the reader accepts.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(
  cd "$work"
  mkdir -p tree/DATA && printf 'FIRMA;1\r\nFIRMA;2\r\n%.0s' {1..40} > tree/DATA/FIRME.DB && printf 'x' > tree/A.TXT
  cd tree
  zip -q -r -X "$out/seeds/plain.zip" .
  zip -q -r -0 -X "$out/seeds/stored.zip" .
  zip -q -r - . | cat > "$out/seeds/piped.zip"
  zip -q - - < A.TXT > "$out/seeds/stdin.zip"
  python3 - "$out/seeds" <<'PY'
import io, sys, zipfile
class Pipe(io.RawIOBase):
    def __init__(self): self.data = bytearray()
    def writable(self): return True
    def write(self, b): self.data += b; return len(b)
for name, method, stream in (("py-deflated.zip", zipfile.ZIP_DEFLATED, False),
                             ("py-streamed.zip", zipfile.ZIP_DEFLATED, True),
                             ("py-utf8.zip", zipfile.ZIP_STORED, False)):
    target = Pipe() if stream else io.BytesIO()
    with zipfile.ZipFile(target, "w", method) as z:
        z.writestr("DATA/", b"")
        z.writestr("DATA/FIRME.DB", b"FIRMA;1\r\n" * 50)
        z.writestr("\u0218coala.txt" if name == "py-utf8.zip" else "A.TXT", b"abc")
    open(f"{sys.argv[1]}/{name}", "wb").write(target.data if stream else target.getvalue())
PY
)
cat > "$out/zip.dict" <<'EOF2'
"PK\x03\x04"
"PK\x01\x02"
"PK\x05\x06"
"PK\x06\x06"
"PK\x06\x07"
"PK\x07\x08"
"\x08\x00"
"\xff\xff\xff\xff"
"up"
"../"
"C:"
EOF2

echo "== fuzzing the archive reader for ${seconds}s"
"$out/zip_reader_fuzz" -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
  -dict="$out/zip.dict" -artifact_prefix="$out/artifacts/" -print_final_stats=1 \
  "$out/corpus" "$out/seeds" 2>&1 | tail -n 12
exit "${PIPESTATUS[0]}"
