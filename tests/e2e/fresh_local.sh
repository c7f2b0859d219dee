#!/usr/bin/env bash
# A local installation from the CD media as a customer makes it: D:\INSTALL.EXE through
# the relaunch, LOCAL, the proposed C:\Corvan (already holding the customer's own ZIP
# file), Continue on the copy and configuration pages, "I&esire" on the finish page.
# Then every installed file is the component's own, the joined archives are gone and the
# customer's ZIP is kept, the engine answers the four aliases and NET DIR, HHUPD.EXE and
# TREGSVR.EXE have run, the Start menu holds the group, and no window is left.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_install.sh"

insert_disk d cdrom "$BUILD/media/cd"
program="$WINEPREFIX/drive_c/Corvan"
mkdir -p "$program"
printf 'PK\005\006%018d' 0 >"$program/CONTABILITATE 2023.ZIP"
cp "$program/CONTABILITATE 2023.ZIP" "$E2E_WORK/own.zip"

walk_start_traced 'D:\' || fail "$WALK_FAILURE"
walk_or_fail walk_install_type local
walk_or_fail walk_folders ""
drawn_mark
walk_or_fail walk_copy
# The copy page's status line: the join, each part joined, then each component unpacked,
# in the component table's order.
status=("Asamblare arhive..." EXE.1 OUTPOST.1 DBDAT.1 DBNEW.1 BDE32.1 HELP.1 PAYDESK.1 "Fisiere executabile"
  "Outpost CORVAN" "CORVAN: baza de date si exemple" "CORVAN: baza de date martor" "Borland Database Engine"
  "Help Corvan" "Paydesk CORVAN")
shown=$(drawn_in_order | grep -xF -f <(printf '%s\n' "${status[@]}") || true)
joined=$(sed -n 2,8p <<<"$shown" | sort | tr '\n' ' ')
[ "$(head -1 <<<"$shown")" = "Asamblare arhive..." ] && [ "$joined" = "$(printf '%s\n' "${status[@]:1:7}" | sort | tr '\n' ' ')" ] &&
  [ "$(sed -n '9,$p' <<<"$shown")" = "$(printf '%s\n' "${status[@]:8}")" ] ||
  fail "the copy page's status line showed, in order:
$shown"
echo "the copy page's status line: $(tr '\n' '|' <<<"$shown")"
walk_or_fail walk_config
walk_wait_page "Finalizare" 5 || fail "$WALK_FAILURE"
check_finish_page
walk_or_fail walk_finish
check_nothing_shown

for name in EXE OUTPOST HELP PAYDESK DBDAT DBNEW; do check_component "$name" "$program"; done
# The engine's template is filled in and its configuration holds the aliases.
check_component BDE32 "$ENGINE_DIR" bde.reg IDAPI32.CFG
grep -q 'C:\\\\Program Files' "$ENGINE_DIR/bde.reg" || fail "bde.reg was not filled in"
! grep -q '\$ProgDir\$' "$ENGINE_DIR/bde.reg" || fail "bde.reg still holds its placeholder"
check_archives_gone "$program"
cmp -s "$E2E_WORK/own.zip" "$program/CONTABILITATE 2023.ZIP" || fail "the customer's own ZIP file was not kept"
[ -d "$program/NetDir" ] || fail "no NetDir folder in the data folder"
check_aliases 'C:\Corvan'
check_configured 'C:\Corvan'
check_group Corvan Tendrix Outpost Paydesk
check_viewer_opened
describe_installation 'C:\Corvan'
echo "fresh local installation: ok"
