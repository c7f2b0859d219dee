#!/usr/bin/env bash
# A client installation whose database is the server's, on a network drive: CLIENT, the
# program folder C:\Corvan and the data folder N:\CORVAN\DATE, typed. The programs are
# unpacked; neither database archive is touched (no file of the server's folder changes,
# none is added, nothing of them lands beside the programs); the aliases and NET DIR
# name the server's folder.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_install.sh"

server="$E2E_WORK/server"
data="$server/CORVAN/DATE"
mkdir -p "$data"
cp -a "$COMPONENTS/DBDAT/." "$COMPONENTS/DBNEW/." "$data/"
printf 'the customer keeps this\r\n' >"$data/DATA/NOTE.TXT"
printf 'changed by the customer' >>"$data/DATA/FIRME.DB"
snapshot() { (cd "$server" && find . -type f -print0 | sort -z | xargs -0 md5sum); }
before=$(snapshot)
insert_disk n network "$server"
insert_disk d cdrom "$BUILD/media/cd"
program="$WINEPREFIX/drive_c/Corvan"

walk_or_fail walk_start 'D:\'
walk_or_fail walk_install_type client
walk_or_fail walk_folders 'C:\Corvan' 'N:\CORVAN\DATE'
walk_or_fail walk_copy
walk_or_fail walk_config
walk_or_fail walk_finish
check_nothing_shown

for name in EXE OUTPOST HELP PAYDESK; do check_component "$name" "$program"; done
for name in DBDAT DBNEW; do check_not_unpacked "$name" "$program"; done
check_component BDE32 "$ENGINE_DIR" bde.reg IDAPI32.CFG
check_archives_gone "$program"
after=$(snapshot)
[ "$before" = "$after" ] || fail "the server's database changed:
$(diff <(echo "$before") <(echo "$after"))"
check_aliases 'N:\CORVAN\DATE'
check_configured 'C:\Corvan'
check_group Corvan Tendrix Outpost Paydesk
describe_installation 'C:\Corvan' 'N:\CORVAN\DATE'
echo "fresh client installation: ok"
