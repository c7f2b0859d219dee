#!/usr/bin/env bash
# The upgrade road of a client installation whose database is the server's, on the
# network drive N:. The finder found the installation; the driver asks whether to upgrade
# the server's database. "&Nu": the upgrade copy refreshes the programs and the wizard goes
# straight on to the finish page, and Back from there shows the configuration page.
# "&Da": the database upgrade page follows the upgrade copy. The server's database is
# never written by the upgrade copy.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_install.sh"

FIRST_TITLE="Apasati 'Continua' pentru a localiza aplicatia!"
CONFIRM_TITLE="Confirmati corectitudinea directorului program"
# A caption is matched as a pattern: its "?" is written as \?.
QUESTION="UPGRADE baza de date SERVER \\?"

server="$E2E_WORK/server"
mkdir -p "$server/CORVAN/DATE"
cp -a "$COMPONENTS/DBDAT/." "$COMPONENTS/DBNEW/." "$server/CORVAN/DATE/"
printf 'the customer keeps this\r\n' >"$server/CORVAN/DATE/DATA/NOTE.TXT"
snapshot() { (cd "$server" && find . -type f -print0 | sort -z | xargs -0 md5sum); }
insert_disk n network "$server"
insert_disk d cdrom "$BUILD/media/cd"
walk_or_fail walk_start 'D:\'
walk_or_fail walk_install_type client
walk_or_fail walk_folders 'C:\Corvan' 'N:\CORVAN\DATE'
walk_or_fail walk_copy
walk_or_fail walk_config
walk_or_fail walk_finish
before=$(snapshot)

# upgrade_to_question NAME: the setup from the media, the finder's search and its
# confirmation, up to the driver's question.
upgrade_to_question() {
  walk_or_fail walk_start 'D:\'
  walk_wait_page "$FIRST_TITLE" 60 || fail "$1: $WALK_FAILURE"
  press "$WALK_ID" alt+c
  walk_wait_page "$CONFIRM_TITLE" 120 || fail "$1: $WALK_FAILURE"
  walk_press_until_gone "$CONFIRM_TITLE" alt+c || fail "$1: $WALK_FAILURE"
  walk_wait_dialog "$QUESTION" 20 || fail "$1: $WALK_FAILURE"
  walk_shot "$1-question"
}

upgrade_to_question no
walk_press_until_gone "$QUESTION" alt+n || fail "$WALK_FAILURE"
walk_wait_page "Actualizare fisiere Corvan" 20 || fail "$WALK_FAILURE"
press "$WALK_ID" alt+c
walk_wait_page "Finalizare" 180 || fail "\"&Nu\" did not lead to the finish page: $WALK_FAILURE"
walk_close_viewer || fail "$WALK_FAILURE"
walk_shot no-finish
[ "$(snapshot)" = "$before" ] || fail "the upgrade copy of a client changed the server's database:
$(diff <(echo "$before") <(snapshot))"
walk_back "Finalizare" || fail "$WALK_FAILURE"
walk_wait_page "Configurare sistem" 20 || fail "Back from the finish page: $WALK_FAILURE"
walk_shot no-back-config
walk_press_until_gone "Configurare sistem" alt+a || fail "$WALK_FAILURE"
wait_for_exit "$WALK_COPY_PID" 20 || fail "the setup did not end after Abandon"
echo "client, \"&Nu\": the upgrade copy, the finish page, Back to the configuration page"

upgrade_to_question yes
walk_press_until_gone "$QUESTION" alt+d || fail "$WALK_FAILURE"
walk_wait_page "Actualizare fisiere Corvan" 20 || fail "$WALK_FAILURE"
press "$WALK_ID" alt+c
walk_wait_page "Actualizare baza de date" 180 || fail "\"&Da\" did not lead to the database upgrade page: $WALK_FAILURE"
walk_close_viewer || fail "$WALK_FAILURE"
walk_wait_page "Actualizare baza de date" 20 || fail "$WALK_FAILURE"
walk_shot yes-data-upgrade
walk_press_until_gone "Actualizare baza de date" alt+a || fail "$WALK_FAILURE"
wait_for_exit "$WALK_COPY_PID" 20 || fail "the setup did not end after Abandon"
check_nothing_shown
[ "$(snapshot)" = "$before" ] || fail "the server's database changed:
$(diff <(echo "$before") <(snapshot))"
echo "client, \"&Da\": the database upgrade page after the upgrade copy"
