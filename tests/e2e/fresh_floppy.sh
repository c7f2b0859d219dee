#!/usr/bin/env bash
# The floppy set on A:, started as a customer starts it: A:\INSTALL.EXE, through the
# relaunch (the media folder is then "A:"). First run: "&Renunt" at the prompt for disk 2
# ends the wizard with nothing unpacked. Second run: at each prompt the disk asked for is
# put in (the folder's files replaced by that disk's) and O&K pressed; the installation
# goes on to the end and is whole.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_install.sh"

floppy="$E2E_WORK/floppy"
mkdir -p "$floppy"
put_in() {
  find "$floppy" -mindepth 1 -delete
  cp "$BUILD/media/floppy/DISK$1/"* "$floppy/"
}
put_in 1
insert_disk a floppy "$floppy"
program="$WINEPREFIX/drive_c/Corvan"

# prompt_for N: the prompt for disk N is shown, headed PENTRU CONTINUARE.
prompt_for() {
  walk_or_fail walk_wait_dialog "Atentie !" 60
  local asked="PENTRU CONTINUARE,\\r\\rintrodu discul de instalare cu numarul \\r$1"
  for ((t = 0; t < 30; t++)); do
    drawn_since_mark | grep -qxF "$asked" && return 0
    sleep 0.1
  done
  fail "the prompt does not ask for disk $1; the setup drew:
$(drawn_since_mark)"
}

walk_start_traced 'A:\' || fail "$WALK_FAILURE"
grep -qx 'A:\\' <(tr -d '\r' <"$WALK_LOCAL_DIR/INSTCORV.DAT") || fail "the marker does not name A:\\"
walk_or_fail walk_install_type local
walk_or_fail walk_folders ""
drawn_mark
walk_or_fail walk_copy_start
prompt_for 2
e2e_page_shot prompt-disk-2
walk_or_fail walk_press_until_gone "Atentie !" alt+r
wait_for_exit "$WALK_COPY_PID" 20 || fail "the wizard did not end after Renunt at the disk prompt"
check_nothing_shown
for name in "${COMPONENT_NAMES[@]}"; do check_not_unpacked "$name" "$program"; done
echo "Renunt at a disk prompt: the wizard ended, nothing unpacked"

put_in 1
walk_start_traced 'A:\' || fail "$WALK_FAILURE"
walk_or_fail walk_install_type local
walk_or_fail walk_folders ""
drawn_mark
walk_or_fail walk_copy_start
for disk in 2 3; do
  prompt_for "$disk"
  put_in "$disk"
  drawn_mark
  walk_or_fail walk_press_until_gone "Atentie !" alt+k
done
walk_or_fail walk_wait_page "Configurare sistem" 120
walk_close_viewer
walk_or_fail walk_config
walk_or_fail walk_finish
check_nothing_shown

for name in EXE OUTPOST HELP PAYDESK DBDAT DBNEW; do check_component "$name" "$program"; done
check_component BDE32 "$ENGINE_DIR" bde.reg IDAPI32.CFG
check_archives_gone "$program"
check_aliases 'C:\Corvan'
check_group Corvan Tendrix Outpost Paydesk
echo "floppy set through the relaunch: ok"
