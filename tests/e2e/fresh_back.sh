#!/usr/bin/env bash
# Back through every page of a server installation, the entries kept: the folders typed
# are shown again after Back from the copy page, the install type after Back from the
# folders page (Continue straight away gives the server's two folders again); Back from
# the configuration page shows the copy page, whose Continue copies again; Back from the
# finish page shows the configuration page. The installation is whole at the end.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_install.sh"

insert_disk d cdrom "$BUILD/media/cd"
program="$WINEPREFIX/drive_c/Program Corvan"
data="$WINEPREFIX/drive_c/Date Corvan"
folders="Alegeti directoarele destinatie!"

# check_folders_kept: the folders page shows the two folders typed first.
check_folders_kept() {
  local texts
  walk_or_fail walk_wait_page "$folders" 20
  texts=$(walk_texts "$folders")
  grep -qxF '  C:\Program Corvan' <<<"$texts" && grep -qxF '  C:\Date Corvan' <<<"$texts" ||
    fail "$1: the folders page does not show the folders typed: $texts"
}

walk_or_fail walk_start 'D:\'
walk_or_fail walk_install_type server
walk_or_fail walk_folders 'C:\Program Corvan' 'C:\Date Corvan'
walk_or_fail walk_back "Copiere fisiere Corvan"
check_folders_kept "Back from the copy page"
e2e_page_shot folders-after-back
walk_or_fail walk_back "$folders"
walk_or_fail walk_wait_page "Alegeti tipul instalarii!" 20
e2e_page_shot install-type-after-back
walk_or_fail walk_press_until_gone "Alegeti tipul instalarii!" alt+c
check_folders_kept "Back to the install type and Continue"
walk_or_fail walk_folders ""
walk_or_fail walk_copy
walk_or_fail walk_back "Configurare sistem"
walk_or_fail walk_copy
walk_or_fail walk_config
walk_or_fail walk_back "Finalizare"
walk_or_fail walk_config
walk_or_fail walk_finish
check_nothing_shown

for name in EXE OUTPOST HELP PAYDESK; do check_component "$name" "$program"; done
for name in DBDAT DBNEW; do
  check_component "$name" "$data"
  check_not_unpacked "$name" "$program"
done
check_archives_gone "$program"
check_aliases 'C:\Date Corvan'
check_configured 'C:\Program Corvan'
check_group Corvan Tendrix Outpost Paydesk
describe_installation 'C:\Program Corvan' 'C:\Date Corvan'
echo "back through every page: ok"
