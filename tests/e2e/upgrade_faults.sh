#!/usr/bin/env bash
# The upgrade road when things go wrong, with the customer's data proven untouched. A
# local installation from the CD media; then the customer's work on it (records added to
# FIRME.DB, an older CORVAN.EXE) and OPERATOR.DB's header damaged (its record count no
# longer agrees with its size). The setup is started again from a CD whose program archive
# is damaged:
# - the upgrade copy stops with the damaged archive's message naming it and its entry; the
#   page stays open, the wizard does not go on, the older CORVAN.EXE is still whole in its
#   place and DATA\ is byte-identical;
# - the disk put right, Continue takes the copy up again and the program is the media's;
# - the database upgrade runs the three steps: the structures' check finds OPERATOR.DB
#   damaged and fails, so do the lists (they need the structures of this version), the
#   constants succeed. The library's record names the version for the constants only, the
#   library's texts were shown, and DATA\ is still byte-identical.
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
[ -f "$data/OPERATOR.DB" ] || fail "the installation left no DATA\\OPERATOR.DB"

# The customer's records in FIRME.DB (its header's count raised with them); OPERATOR.DB's
# count raised without records.
python3 - "$data/FIRME.DB" "$data/OPERATOR.DB" <<'EOF'
import struct, sys
def raise_count(path, records):
    with open(path, "r+b") as table:
        head = table.read(10)
        record_size = head[0] | head[1] << 8
        count = struct.unpack_from("<I", head, 6)[0]
        table.seek(0, 2)
        for n in range(records):
            table.write(("client %d " % n).encode().ljust(record_size, b"."))
        table.seek(6)
        table.write(struct.pack("<I", count + 2))
raise_count(sys.argv[1], 2)
raise_count(sys.argv[2], 0)
EOF
printf 'an older build' | dd of="$program/CORVAN.EXE" bs=1 seek=4096 conv=notrunc status=none
cp "$program/CORVAN.EXE" "$E2E_WORK/older.exe"
tree_sums() { (cd "$1" && find . -type f ! -name UPGRADE.VER -print0 | sort -z | xargs -0 md5sum); }
data_before=$(tree_sums "$data")
data_unchanged() {
  [ "$(tree_sums "$data")" = "$data_before" ] || fail "$1 changed DATA\\:
$(diff <(echo "$data_before") <(tree_sums "$data"))"
}

# The CD with sixteen bytes damaged in the middle of CORVAN.EXE's compressed data.
cd_folder="$E2E_WORK/cd"
cp -a "$BUILD/media/cd" "$cd_folder"
printf 'damaged media...' | dd of="$cd_folder/EXE.1" bs=1 seek=1000000 conv=notrunc status=none
insert_disk d cdrom "$cd_folder"

walk_start_traced 'D:\' || fail "$WALK_FAILURE"
walk_wait_page "$FIRST_TITLE" 60 || fail "$WALK_FAILURE"
press "$WALK_ID" alt+c
walk_wait_page "$CONFIRM_TITLE" 120 || fail "$WALK_FAILURE"
walk_press_until_gone "$CONFIRM_TITLE" alt+c || fail "$WALK_FAILURE"
walk_wait_page "$UPGRADE_COPY_TITLE" 20 || fail "$WALK_FAILURE"
drawn_mark
press "$WALK_ID" alt+c

walk_or_fail walk_wait_dialog "EROARE !" 120
e2e_page_shot damaged-archive
message=$(drawn_since_mark | grep -F 'EXE.ZIP' || true)
grep -qF 'CORVAN.EXE' <<<"$message" || fail "no message naming EXE.ZIP and CORVAN.EXE; the setup drew:
$(drawn_since_mark)"
walk_or_fail walk_press_until_gone "EROARE !" alt+k
walk_or_fail walk_wait_page "$UPGRADE_COPY_TITLE" 10
e2e_page_shot copy-stays-open
! xdotool search --onlyvisible --name "^${DATA_UPGRADE_TITLE}\$" >/dev/null 2>&1 || fail "the wizard went on over a partial copy"
cmp -s "$E2E_WORK/older.exe" "$program/CORVAN.EXE" || fail "the damaged entry touched the installed CORVAN.EXE"
data_unchanged "the damaged upgrade copy"

# The disk put right: Continue takes the copy up again.
cp "$BUILD/media/cd/EXE.1" "$cd_folder/EXE.1"
press "$WALK_ID" alt+c
walk_wait_page "$DATA_UPGRADE_TITLE" 180 || fail "$WALK_FAILURE"
walk_close_viewer || fail "$WALK_FAILURE"
check_component EXE "$program"
data_unchanged "the upgrade copy"

walk_wait_page "$DATA_UPGRADE_TITLE" 20 || fail "$WALK_FAILURE"
drawn_mark
press "$WALK_ID" alt+c
walk_wait_page "Finalizare" 120 || fail "$WALK_FAILURE"
drawn_since_mark | grep -qxF 'Structuri: tabela OPERATOR.DB are structura deteriorata' ||
  fail "the structures' failure was not shown; the setup drew:
$(drawn_since_mark)"
drawn_since_mark | grep -qxF 'Constante: terminat, versiunea 3200876.02' ||
  fail "the constants' success was not shown; the setup drew:
$(drawn_since_mark)"
walk_or_fail walk_finish
check_nothing_shown

record=$(tr -d '\r' <"$data/UPGRADE.VER")
grep -qx 'Constants=3200876.02' <<<"$record" || fail "the constants are not recorded: $record"
! grep -q '^Structure=3200876.02' <<<"$record" || fail "the failed structures' step is recorded as done: $record"
! grep -q '^Lists=3200876.02' <<<"$record" || fail "the failed lists' step is recorded as done: $record"
data_unchanged "the database upgrade"
echo "upgrade faults: the damaged archive stopped the copy, a failed step left unrecorded, DATA byte-identical"
