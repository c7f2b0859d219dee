#!/usr/bin/env bash
# The upgrade road end to end, proving the customer's data untouched. A local
# installation from the CD media into C:\Corvan; then the customer's own work on it:
# records added to the tables under DATA\, a file of their own there, their own pictures
# in NEW\FIRMA\ (read-only), a table of theirs in NEW\LUNA\, and an older CORVAN.EXE. Then
# the setup from the media again: the finder finds the installation, the upgrade copy
# refreshes the program and the blank reference database, the database upgrade runs the
# demo library's three steps, the finish page ends it. Afterwards:
# - every file under DATA\ is byte-identical with what it was after the customer's work
#   (checksums of the whole tree), the library's record of the upgrade aside;
# - the engine's installed files are untouched;
# - the program files are the media's (the older CORVAN.EXE replaced);
# - NEW\ is the media's again: the customer's table there is gone, the pictures are kept
#   (the media's logo.bmp over the customer's) and none is read-only any more;
# - the database upgrade page showed the library's texts of its three steps (the lists
#   counting the customer's operators), and the library's record UPGRADE.VER names this
#   version for them.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_install.sh"

FIRST_TITLE="Apasati 'Continua' pentru a localiza aplicatia!"
CONFIRM_TITLE="Confirmati corectitudinea directorului program"
UPGRADE_COPY_TITLE="Actualizare fisiere Corvan"
DATA_UPGRADE_TITLE="Actualizare baza de date"

insert_disk d cdrom "$BUILD/media/cd"
walk_or_fail walk_fresh_local_install 'D:\'
program="$WINEPREFIX/drive_c/Corvan"
data="$program/DATA"
[ -f "$data/FIRME.DB" ] || fail "the installation left no DATA\\FIRME.DB"

# add_records TABLE COUNT: COUNT records of the table's size appended, its header's record
# count raised with them (what the product does when the customer types them in).
add_records() {
  python3 - "$1" "$2" <<'EOF'
import struct, sys
path, count = sys.argv[1], int(sys.argv[2])
with open(path, "r+b") as table:
    head = table.read(10)
    record_size = head[0] | head[1] << 8
    records = struct.unpack_from("<I", head, 6)[0]
    table.seek(0, 2)
    for n in range(count):
        table.write(("client %d " % n).encode().ljust(record_size, b"."))
    table.seek(6)
    table.write(struct.pack("<I", records + count))
EOF
}
add_records "$data/FIRME.DB" 3
add_records "$data/OPERATOR.DB" 2
printf 'Inventar 2024, de pastrat\r\n' >"$data/INVENTAR.TXT"
mkdir -p "$data/ARHIVA"
printf 'the customer keeps this too' >"$data/ARHIVA/2023.TXT"
printf 'BMthe customer logo' >"$program/NEW/FIRMA/logo.bmp"
printf '\211PNG the customer stamp' >"$program/NEW/FIRMA/stampila.png"
chmod a-w "$program/NEW/FIRMA/logo.bmp" "$program/NEW/FIRMA/stampila.png"
cp "$program/NEW/FIRMA/stampila.png" "$E2E_WORK/stampila.png"
printf 'a table of the customer' >"$program/NEW/LUNA/LUCRU.DB"
printf 'an older build' | dd of="$program/CORVAN.EXE" bs=1 seek=4096 conv=notrunc status=none
cmp -s "$program/CORVAN.EXE" "$COMPONENTS/EXE/CORVAN.EXE" && fail "the older CORVAN.EXE is the media's"

tree_sums() { (cd "$1" && find . -type f ! -name UPGRADE.VER -print0 | sort -z | xargs -0 md5sum); }
data_before=$(tree_sums "$data")
engine_before=$(tree_sums "$ENGINE_DIR")
# A file's owner-write bit: Wine shows a file without it as read-only.
writable() { [ "$(stat -c %A "$1" | cut -c3)" = w ]; }

walk_start_traced 'D:\' || fail "$WALK_FAILURE"
walk_wait_page "$FIRST_TITLE" 60 || fail "$WALK_FAILURE"
walk_shot finder
press "$WALK_ID" alt+c
walk_wait_page "$CONFIRM_TITLE" 120 || fail "$WALK_FAILURE"
walk_shot finder-found
texts=$(walk_texts "$CONFIRM_TITLE")
grep -qxF '  C:\Corvan\' <<<"$texts" && grep -qxF '  C:\Corvan' <<<"$texts" ||
  fail "the finder does not show C:\\Corvan\\ and its data folder: $texts"
walk_press_until_gone "$CONFIRM_TITLE" alt+c || fail "$WALK_FAILURE"

walk_wait_page "$UPGRADE_COPY_TITLE" 20 || fail "$WALK_FAILURE"
walk_shot upgrade-copy
press "$WALK_ID" alt+c
walk_wait_page "$DATA_UPGRADE_TITLE" 180 || fail "$WALK_FAILURE"
walk_close_viewer || fail "$WALK_FAILURE"
# The upgrade copy is over: the data is as the customer left it.
[ "$(tree_sums "$data")" = "$data_before" ] || fail "the upgrade copy changed DATA\\:
$(diff <(echo "$data_before") <(tree_sums "$data"))"
walk_wait_page "$DATA_UPGRADE_TITLE" 20 || fail "$WALK_FAILURE"
walk_shot data-upgrade
drawn_mark
press "$WALK_ID" alt+c
walk_wait_page "Finalizare" 120 || fail "$WALK_FAILURE"
# The library's texts, shown on the page as they came; the lists count the operators the
# customer's table holds.
operators=$(python3 -c 'import struct, sys; print(struct.unpack_from("<I", open(sys.argv[1], "rb").read(10), 6)[0])' "$data/OPERATOR.DB")
for text in 'Structuri: terminat, versiunea 3200876.02' "Liste: lista operatorilor are $operators inregistrari" \
  'Liste: terminat, versiunea 3200876.02' 'Constante: terminat, versiunea 3200876.02'; do
  drawn_since_mark | grep -qxF "$text" || fail "the database upgrade page did not show \"$text\"; the setup drew:
$(drawn_since_mark)"
done
walk_or_fail walk_finish
check_nothing_shown

[ "$(tree_sums "$data")" = "$data_before" ] || fail "the upgrade changed DATA\\:
$(diff <(echo "$data_before") <(tree_sums "$data"))"
[ "$(tree_sums "$ENGINE_DIR")" = "$engine_before" ] || fail "the upgrade changed the engine's files:
$(diff <(echo "$engine_before") <(tree_sums "$ENGINE_DIR"))"
check_component EXE "$program"
check_component DBNEW "$program"
[ ! -e "$program/NEW/LUNA/LUCRU.DB" ] || fail "the customer's table in NEW\\LUNA was kept"
cmp -s "$E2E_WORK/stampila.png" "$program/NEW/FIRMA/stampila.png" || fail "the customer's picture in NEW\\FIRMA was not kept"
for picture in logo.bmp stampila.png; do
  writable "$program/NEW/FIRMA/$picture" || fail "NEW\\FIRMA\\$picture is still read-only"
done
check_archives_gone "$program"
for step in Structure Lists Constants; do
  grep -qx "$step=3200876.02" <(tr -d '\r' <"$data/UPGRADE.VER") ||
    fail "the library's record does not name the version for $step: $(cat "$data/UPGRADE.VER")"
done
echo "upgrade of a local installation: the data byte-identical, the program and NEW\\ refreshed, the database upgraded"
