#!/usr/bin/env bash
# The setup started again on a client installation: a client installation from the CD
# media (the program in C:\Corvan, the server's database on the network drive N:), then
# D:\INSTALL.EXE once more. The finder takes the data folder from the alias, sees that it
# lies on a network drive and says so instead of naming it; the program folder is found
# by the search of the fixed drives. Abandon ends the wizard; the server's database is
# untouched.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_install.sh"

FIRST_TITLE="Apasati 'Continua' pentru a localiza aplicatia!"
CONFIRM_TITLE="Confirmati corectitudinea directorului program"

server="$E2E_WORK/server"
data="$server/CORVAN/DATE"
mkdir -p "$data"
cp -a "$COMPONENTS/DBDAT/." "$COMPONENTS/DBNEW/." "$data/"
printf 'the customer keeps this\r\n' >"$data/DATA/NOTE.TXT"
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

walk_or_fail walk_start 'D:\'
walk_wait_page "$FIRST_TITLE" 60 || fail "$WALK_FAILURE"
walk_shot waiting
press "$WALK_ID" alt+c
walk_wait_page "$CONFIRM_TITLE" 120 || fail "$WALK_FAILURE"
walk_shot found
texts=$(walk_texts "$CONFIRM_TITLE") || fail "the finder cannot be read"
grep -qxF '  C:\Corvan\' <<<"$texts" || fail "the program folder is not C:\\Corvan\\:
$texts"
grep -qxF '  Am detectat o instalare client' <<<"$texts" || fail "the finder does not tell a client installation:
$texts"
walk_press_until_gone "$CONFIRM_TITLE" alt+a || fail "$WALK_FAILURE"
wait_for_exit "$WALK_COPY_PID" 20 || fail "the setup did not end after Abandon"
check_nothing_shown
[ "$(snapshot)" = "$before" ] || fail "the server's database changed:
$(diff <(echo "$before") <(snapshot))"
echo "upgrade finder of a client installation: ok"
