#!/usr/bin/env bash
# A server installation from the CD media with the data in a folder of its own: SERVER,
# the program folder C:\Corvan and the data folder C:\Date Corvan (neither there yet: the
# page makes both). The program components are unpacked into the program folder, both
# databases into the data folder and nothing of them beside the programs; the engine's
# aliases and NET DIR name the data folder.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_install.sh"

insert_disk d cdrom "$BUILD/media/cd"
program="$WINEPREFIX/drive_c/Corvan"
data="$WINEPREFIX/drive_c/Date Corvan"

walk_or_fail walk_start 'D:\'
walk_or_fail walk_install_type server
walk_or_fail walk_folders 'C:\Corvan' 'C:\Date Corvan'
walk_or_fail walk_copy
walk_or_fail walk_config
walk_or_fail walk_finish
check_nothing_shown

for name in EXE OUTPOST HELP PAYDESK; do check_component "$name" "$program"; done
for name in DBDAT DBNEW; do
  check_component "$name" "$data"
  check_not_unpacked "$name" "$program"
done
check_component BDE32 "$ENGINE_DIR" bde.reg IDAPI32.CFG
check_archives_gone "$program"
[ -d "$data/NetDir" ] || fail "no NetDir folder in the data folder"
check_aliases 'C:\Date Corvan'
check_configured 'C:\Corvan'
check_group Corvan Tendrix Outpost Paydesk
describe_installation 'C:\Corvan' 'C:\Date Corvan'
echo "fresh server installation: ok"
