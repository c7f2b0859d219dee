#!/usr/bin/env bash
# A local installation on a computer with an older database engine (VERSION 3.5) from a
# CD whose HELP archive is damaged. The copy page warns once, headed "PROTECTIA
# APLICATIILOR EXISTENTE,", and leaves the installed engine alone; the damaged archive's
# message, headed "PENTRU CONTINUARE," again, names it; the page stays open with
# Continue. After the disk is put right, Continue finishes the copy without a second
# warning, and the installation goes on to the end whole.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_install.sh"

wine reg add 'HKLM\Software\Borland\Database Engine\Settings\SYSTEM\INIT' /v VERSION /d 3.5 /f >/dev/null 2>&1 &&
  wine reg add 'HKLM\Software\Borland\BLW32' /f >/dev/null 2>&1 &&
  wine reg add 'HKLM\Software\Borland\Database Engine' /v UseCount /d 2 /f >/dev/null 2>&1 ||
  fail "cannot register the old engine"
cd_folder="$E2E_WORK/cd"
cp -a "$BUILD/media/cd" "$cd_folder"
# Sixteen bytes in the middle of HHUPD.EXE's compressed data.
printf 'damaged media...' | dd of="$cd_folder/HELP.1" bs=1 seek=40000 conv=notrunc status=none
insert_disk d cdrom "$cd_folder"
program="$WINEPREFIX/drive_c/Corvan"

walk_start_traced 'D:\' || fail "$WALK_FAILURE"
walk_or_fail walk_install_type local
walk_or_fail walk_folders ""
walk_or_fail walk_copy_start

walk_or_fail walk_wait_dialog "EROARE !" 60
e2e_page_shot old-engine-warning
warning='PROTECTIA APLICATIILOR EXISTENTE,\r\rAm gasit o instalare mai veche de\rmotor baza de date (BDE)...\rDaca Corvan nu functioneaza, contactati-ne.\r'
drawn_since_mark | grep -qxF "$warning" || fail "the old engine's warning was not shown; the setup drew:
$(drawn_since_mark)"
drawn_mark
walk_or_fail walk_press_until_gone "EROARE !" alt+k

walk_or_fail walk_wait_dialog "EROARE !" 60
e2e_page_shot damaged-archive
message=$(drawn_since_mark | grep -F 'HELP.ZIP' || true)
grep -q '^PENTRU CONTINUARE,\\r\\r' <<<"$message" || fail "no message of the damaged archive headed PENTRU CONTINUARE; the setup drew:
$(drawn_since_mark)"
grep -qF 'HHUPD.EXE' <<<"$message" || fail "the message does not name the entry: $message"
walk_or_fail walk_press_until_gone "EROARE !" alt+k

walk_or_fail walk_wait_page "Copiere fisiere Corvan" 10
retry="Apasa 'Continua' pentru a relua copierea....."
for ((t = 0; t < 50; t++)); do
  drawn_since_mark | grep -qxF "$retry" && break
  sleep 0.1
done
drawn_since_mark | grep -qxF "$retry" || fail "the copy page does not say how to take the copy up again"
! xdotool search --onlyvisible --name '^Configurare sistem$' >/dev/null 2>&1 || fail "the wizard went on over a partial copy"
[ ! -e "$program/HHUPD.EXE" ] || fail "the damaged entry was written"
e2e_page_shot copy-stays-open

# The disk put right, Continue takes the copy up again; another dialog would stop the walk.
cp "$BUILD/media/cd/HELP.1" "$cd_folder/HELP.1"
drawn_mark
walk_or_fail walk_copy
! drawn_since_mark | grep -q 'PROTECTIA' || fail "the old engine's warning came again"
walk_or_fail walk_config
walk_or_fail walk_finish
check_nothing_shown

for name in EXE OUTPOST HELP PAYDESK DBDAT DBNEW; do check_component "$name" "$program"; done
check_archives_gone "$program"
[ ! -e "$ENGINE_DIR" ] || fail "the engine was installed over the old one ($ENGINE_DIR)"
[ "$(reg_value 'HKLM\Software\Borland\Database Engine' UseCount)" = 3 ] || fail "the old engine's UseCount was not counted up"
check_configured 'C:\Corvan'
check_group Corvan Tendrix Outpost Paydesk
describe_installation 'C:\Corvan' || true
echo "old engine and a damaged archive: ok"
