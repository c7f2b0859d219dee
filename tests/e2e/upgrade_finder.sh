#!/usr/bin/env bash
# The setup started again on a computer where Corvan is installed: first a local
# installation from the CD media into C:\Firma\Corvan, as a customer makes it; then, each
# time from D:\INSTALL.EXE, the upgrade road's first page. The engine's CORVAN alias now
# exists: the installation finder comes instead of the install type page, with the data
# folder from the alias. Continue finds the program folder from WIN.INI [Corvan], as the
# product writes it there (AppPath; DatabasePath when AppPath names no program file), and
# by searching the fixed drives when WIN.INI has nothing. WIN.INI names the folder in
# capitals, so that what the finder shows tells where it came from: the search shows the
# folder as the disk has it. Abandon ends the wizard, and so does Back; nothing of the
# installation changes.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib_install.sh"

FIRST_TITLE="Apasati 'Continua' pentru a localiza aplicatia!"
CONFIRM_TITLE="Confirmati corectitudinea directorului program"
WIN_INI="$WINEPREFIX/drive_c/windows/win.ini"

insert_disk d cdrom "$BUILD/media/cd"
# The customer's own folder; the folders page makes only the last folder of a path.
mkdir -p "$WINEPREFIX/drive_c/Firma"
walk_or_fail walk_fresh_local_install 'D:\' 'C:\Firma\Corvan'
program="$WINEPREFIX/drive_c/Firma/Corvan"
[ -f "$program/CORVAN.EXE" ] || fail "the installation left no CORVAN.EXE in C:\\Firma\\Corvan"
snapshot() { (cd "$WINEPREFIX/drive_c/Firma" && find . -type f -print0 | sort -z | xargs -0 md5sum); }
installed=$(snapshot)

# corvan_profile [LINE...]: the [Corvan] section of WIN.INI holds these lines (none: no section).
corvan_profile() {
  local kept
  kept=$(sed '/^\[[Cc]orvan\]/,/^\[/{/^\[[Cc]orvan\]/d;/^\[/!d}' "$WIN_INI" 2>/dev/null | tr -d '\r' || true)
  {
    [ -n "$kept" ] && printf '%s\r\n' "$kept"
    if (($#)); then
      printf '[Corvan]\r\n'
      printf '%s\r\n' "$@"
    fi
  } >"$WIN_INI.new"
  mv "$WIN_INI.new" "$WIN_INI"
}

# finder_shows NAME PROGRAM DATA: the setup from the media up to the finder, Continue, then
# the folders the finder shows are PROGRAM and DATA; Abandon ends the wizard.
finder_shows() {
  local name=$1 want_program=$2 want_data=$3 texts
  walk_or_fail walk_start 'D:\'
  walk_wait_page "$FIRST_TITLE" 60 || fail "$name: $WALK_FAILURE"
  walk_shot "$name-waiting"
  press "$WALK_ID" alt+c
  walk_wait_page "$CONFIRM_TITLE" 120 || fail "$name: $WALK_FAILURE"
  walk_shot "$name-found"
  texts=$(walk_texts "$CONFIRM_TITLE") || fail "$name: the finder cannot be read"
  grep -qxF "  $want_program" <<<"$texts" || fail "$name: the program folder is not $want_program:
$texts"
  grep -qxF "  $want_data" <<<"$texts" || fail "$name: the data folder is not $want_data:
$texts"
  echo "$name: program $want_program, data $want_data"
  walk_press_until_gone "$CONFIRM_TITLE" alt+a || fail "$name: $WALK_FAILURE"
  wait_for_exit "$WALK_COPY_PID" 20 || fail "$name: the setup did not end after Abandon"
}

corvan_profile
finder_shows drive-search 'C:\Firma\Corvan\' 'C:\Firma\Corvan'
corvan_profile 'AppPath=C:\FIRMA\CORVAN\' 'DatabasePath=C:\FIRMA\CORVAN\DATA'
finder_shows app-path 'C:\FIRMA\CORVAN\' 'C:\Firma\Corvan'
corvan_profile 'AppPath=C:\FIRMA\CORVAN' 'DatabasePath=C:\Firma\CORVAN\DATA'
finder_shows database-path 'C:\Firma\CORVAN\' 'C:\Firma\Corvan'

# Back on the finder ends the wizard.
walk_or_fail walk_start 'D:\'
walk_wait_page "$FIRST_TITLE" 60 || fail "back: $WALK_FAILURE"
walk_press_until_gone "$FIRST_TITLE" alt+i || fail "back: $WALK_FAILURE"
wait_for_exit "$WALK_COPY_PID" 20 || fail "the setup did not end after Back on the finder"
echo "back: the wizard ended"

check_nothing_shown
[ "$(snapshot)" = "$installed" ] || fail "the installation changed:
$(diff <(echo "$installed") <(snapshot))"
echo "upgrade finder: ok"
