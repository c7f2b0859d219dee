# Sourced after windows.sh by the end-to-end runs and the demo: a user walking the setup's
# pages, each found by its caption and answered with the keys its buttons show. Needs
# WINEPREFIX and DISPLAY. Nothing here reaches into the program: it sees what a user sees
# (shown windows, their captions and texts) and types on the keyboard.
#
#   walk_start 'D:\'                      INSTALL.EXE from that folder, through the relaunch
#   walk_install_type local|server|client the install type page
#   walk_folders PROGRAM [DATA]           the folders page ("" keeps what the page proposes)
#   walk_copy                             the copy page, up to the configuration page
#   walk_config                           the configuration page, up to the finish page
#   walk_finish                           "I&esire" on the finish page; the program ends
#   walk_back CAPTION                     "&Inapoi" on that page
#   walk_fresh_local_install 'D:\' [PROGRAM]   all of the above for a local installation
#   walk_road                             after walk_start: which road the setup took
#                                         (WALK_ROAD is "fresh" or "upgrade")
#   walk_find_app                         the finder: its search, then the folder confirmed
#   walk_upgrade_copy [NEXT]              the upgrade copy page, up to the next page
#                                         ("Actualizare baza de date" unless told)
#   walk_upgrade_data                     the database upgrade page, up to the finish page
#   walk_upgrade_local                    the finder to I&esire, on a local installation
#   describe_installation PROGRAM [DATA]  what was installed: folders, aliases, group
#
# Set WALK_TEXTS to window_texts.exe and WALK_ENGINE_REPORT to engine_report.exe (the
# build's tests/win32 folder). WALK_SHOT, when set, names a function called with a short
# name of each page once it is shown (the demo and the e2e runs take screenshots there).
# A walk that fails says what was on the screen and returns non-zero; WALK_FAILURE holds
# the reason.

WALK_ID=""          # the window of the page being walked
WALK_COPY_PID=""    # the local copy of the setup, which runs the wizard
WALK_LOCAL_DIR=""   # its folder under Temp
WALK_FAILURE=""
WALK_VIEWER_SHOWN=0

# The captions of the program's message dialogs.
WALK_DIALOG_CAPTIONS=("EROARE !" "Atentie !" "Informatie..." "Confirmare..." "Eroare!" "Eroare...")
# The instructions viewer's caption is the title of the demo version's page.
WALK_VIEWER_CAPTION="Corvan 3200876[.]02 .+ ce este nou"

walk_fail() {
  WALK_FAILURE=$*
  echo "walk: $*" >&2
  walk_screen >&2 || true
  return 1
}

# Prints every shown window with the texts of its controls.
walk_screen() {
  [ -n "${WALK_TEXTS:-}" ] || return 0
  echo "-- on the screen:"
  wine "$WALK_TEXTS" 2>/dev/null || echo "(no window)"
}

# walk_texts CAPTION: the texts of the shown window with that caption.
walk_texts() {
  wine "$WALK_TEXTS" "$1" 2>/dev/null
}

walk_shot() {
  [ -n "${WALK_SHOT:-}" ] && "$WALK_SHOT" "$1"
  return 0
}

# walk_dialog_shown: prints the caption of a shown message dialog, if one is.
walk_dialog_shown() {
  local caption
  for caption in "${WALK_DIALOG_CAPTIONS[@]}"; do
    if xdotool search --onlyvisible --name "^${caption//./\\.}\$" >/dev/null 2>&1; then
      echo "$caption"
      return 0
    fi
  done
  return 1
}

# walk_wait_page CAPTION SECONDS: waits for the page, failing early when a message dialog
# comes instead (its text is told) or the program ends.
walk_wait_page() {
  local caption=$1 seconds=$2 dialog
  for ((t = 0; t < seconds; t++)); do
    if WALK_ID=$(wait_for_window "$caption" 1 2>/dev/null); then
      return 0
    fi
    if dialog=$(walk_dialog_shown); then
      walk_fail "\"$caption\" did not come: the dialog \"$dialog\" is shown: $(walk_texts "$dialog" | tr '\n' ' ')"
      return 1
    fi
    if [ -n "$WALK_COPY_PID" ] && ! kill -0 "$WALK_COPY_PID" 2>/dev/null; then
      walk_fail "the setup ended before \"$caption\" was shown"
      return 1
    fi
  done
  walk_fail "\"$caption\" was not shown within ${seconds} s"
}

# walk_activate ID: a click on the window's title bar, as a user brings a window forward
# when another program's window has come in front (the shell's window of the new group).
walk_activate() {
  xdotool mousemove --window "$1" 40 10 click 1
}

# walk_press_until_gone CAPTION KEYS...: types the keys into the window just waited for
# (WALK_ID) until that window closes (a window just shown may not have the keyboard yet);
# for windows that do no long work. Another window with the same caption, shown after it,
# gets no key.
walk_press_until_gone() {
  local caption=$1; shift
  local id=$WALK_ID
  for ((try = 0; try < 5; try++)); do
    walk_activate "$id"
    press "$id" "$@"
    for ((t = 0; t < 30; t++)); do
      xdotool search --onlyvisible --name "^${caption}\$" 2>/dev/null | grep -qx "$id" || return 0
      sleep 0.1
    done
  done
  walk_fail "\"$caption\" stayed open after the keys $*"
}

# walk_wait_dialog CAPTION SECONDS: waits for a message dialog (WALK_ID is set to it).
walk_wait_dialog() {
  WALK_ID=$(wait_for_window "$1" "$2") || { walk_fail "no dialog \"$1\" within $2 s"; return 1; }
}

walk_start() {
  local media=${1:?media folder}
  local temp before after
  temp="$WINEPREFIX/drive_c/users/$(ls "$WINEPREFIX/drive_c/users" | grep -v -x Public | head -1)/Temp"
  mkdir -p "$temp"
  before=$(ls "$temp")
  wine "${media%\\}\\INSTALL.EXE" || { walk_fail "INSTALL.EXE did not run from $media"; return 1; }
  after=$(comm -13 <(echo "$before" | sort) <(ls "$temp" | sort) | grep -E -x '[0-9A-F]{32}' | head -1 || true)
  [ -n "$after" ] || { walk_fail "no local copy of the setup under Temp"; return 1; }
  WALK_LOCAL_DIR="$temp/$after"
  for ((t = 0; t < 100; t++)); do
    WALK_COPY_PID=$(pgrep -f "$after" | head -1 || true)
    [ -n "$WALK_COPY_PID" ] && break
    sleep 0.1
  done
  [ -n "$WALK_COPY_PID" ] || { walk_fail "the local copy was not started"; return 1; }
}

walk_install_type() {
  local key
  case $1 in
    local) key=alt+l ;;
    server) key=alt+s ;;
    client) key=alt+t ;;
    *) walk_fail "no install type $1"; return 1 ;;
  esac
  walk_wait_page "Alegeti tipul instalarii!" 60 || return 1
  walk_shot install-type
  press "$WALK_ID" "$key"
  walk_shot install-type-chosen
  walk_press_until_gone "Alegeti tipul instalarii!" alt+c
}

# walk_type_into PAGE_ID X Y TEXT: a click into the box at that point of the page (the
# labels' accelerators open the folder picker, as a click on them does), then its text
# is typed over.
walk_type_into() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
  press "$1" Home shift+End BackSpace
  xdotool type --delay 20 "$4"
}

# The folders page: the program box at 240, 37 and the data box at 240, 60 of the page
# (its panel at 168, 29), each 196 wide and 21 high.
walk_folders() {
  local program=$1 data=${2:-}
  walk_wait_page "Alegeti directoarele destinatie!" 20 || return 1
  [ -n "$program" ] && walk_type_into "$WALK_ID" 300 47 "$program"
  [ -n "$data" ] && walk_type_into "$WALK_ID" 300 70 "$data"
  walk_shot folders
  walk_press_until_gone "Alegeti directoarele destinatie!" alt+c
}

# The viewer opens over the pages after the program component: read, then hidden with
# Esc or, failing that, a click on its close glyph (the right end of its top band).
walk_close_viewer() {
  local id backdrop WIDTH HEIGHT X Y SCREEN WINDOW
  id=$(wait_for_window "$WALK_VIEWER_CAPTION" 1 2>/dev/null) || return 0
  WALK_VIEWER_SHOWN=1
  walk_shot instructions
  # What covers it cannot be read or clicked: the X stacking lists the topmost first.
  backdrop=$(xdotool search --onlyvisible --name '^Instalare Corvan$' 2>/dev/null | head -1 || true)
  if [ -n "$backdrop" ] && xwininfo -root -children 2>/dev/null | grep -oE '^ +0x[0-9a-f]+' |
    awk -v v="$(printf '0x%x' "$id")" -v b="$(printf '0x%x' "$backdrop")" '$1 == b {print "below"; exit} $1 == v {exit}' |
    grep -q below; then
    walk_fail "the instructions viewer is shown beneath the backdrop, where the customer cannot see it"
    return 1
  fi
  eval "$(xdotool getwindowgeometry --shell "$id")"
  for ((try = 0; try < 4; try++)); do
    if ((try % 2 == 0)); then press "$id" Escape; else xdotool mousemove --window "$id" $((WIDTH - 15)) 14 click 1; fi
    for ((t = 0; t < 20; t++)); do
      xdotool search --onlyvisible --name "^${WALK_VIEWER_CAPTION}\$" 2>/dev/null | grep -qx "$id" || return 0
      sleep 0.1
    done
  done
  walk_fail "the instructions viewer stayed open after Esc and a click on its close glyph"
}

# walk_copy_start: Continue on the copy page (the copy runs inside that click).
walk_copy_start() {
  walk_wait_page "Copiere fisiere Corvan" 20 || return 1
  # A copy taken up again: the viewer opened by the first run covers the page.
  walk_close_viewer || return 1
  walk_shot copy
  walk_activate "$WALK_ID"
  press "$WALK_ID" alt+c
}

walk_copy() {
  walk_copy_start || return 1
  walk_wait_page "Configurare sistem" 180 || return 1
  walk_close_viewer
}

walk_config() {
  walk_wait_page "Configurare sistem" 20 || return 1
  walk_shot config
  walk_activate "$WALK_ID"
  press "$WALK_ID" alt+c
  walk_wait_page "Finalizare" 120 || return 1
  walk_close_viewer
}

walk_finish() {
  walk_wait_page "Finalizare" 20 || return 1
  walk_shot finish
  # The shell's window of the new group may come late and take the keyboard.
  local id=$WALK_ID gone=0
  for ((try = 0; try < 8 && !gone; try++)); do
    walk_activate "$id"
    press "$id" alt+e
    for ((t = 0; t < 20; t++)); do
      xdotool search --onlyvisible --name '^Finalizare$' 2>/dev/null | grep -qx "$id" || { gone=1; break; }
      sleep 0.1
    done
  done
  ((gone)) || { walk_fail "\"Finalizare\" stayed open after I&esire"; return 1; }
  wait_for_exit "$WALK_COPY_PID" 20 || { walk_fail "the setup did not end after I&esire"; return 1; }
}

# walk_back CAPTION: "&Inapoi" on that page.
walk_back() {
  walk_wait_page "$1" 20 || return 1
  walk_press_until_gone "$1" alt+i
}

walk_fresh_local_install() {
  local media=$1 program=${2:-}
  walk_start "$media" &&
    walk_install_type local &&
    walk_folders "$program" &&
    walk_copy &&
    walk_config &&
    walk_finish
}

# The first page of each road.
WALK_FRESH_CAPTION="Alegeti tipul instalarii!"
WALK_FINDER_CAPTION="Apasati 'Continua' pentru a localiza aplicatia!"
WALK_FOUND_CAPTION="Confirmati corectitudinea directorului program"
WALK_ROAD=""

# walk_road: waits for the first page, whichever road the setup took (the fresh
# installation's install type page or the upgrade road's finder), as a user sees it.
walk_road() {
  local dialog
  WALK_ROAD=""
  for ((t = 0; t < 60; t++)); do
    if WALK_ID=$(wait_for_window "$WALK_FRESH_CAPTION" 1 2>/dev/null); then
      WALK_ROAD=fresh
      return 0
    fi
    if WALK_ID=$(wait_for_window "$WALK_FINDER_CAPTION" 1 2>/dev/null); then
      WALK_ROAD=upgrade
      return 0
    fi
    if dialog=$(walk_dialog_shown); then
      walk_fail "no first page: the dialog \"$dialog\" is shown: $(walk_texts "$dialog" | tr '\n' ' ')"
      return 1
    fi
    if [ -n "$WALK_COPY_PID" ] && ! kill -0 "$WALK_COPY_PID" 2>/dev/null; then
      walk_fail "the setup ended before its first page was shown"
      return 1
    fi
  done
  walk_fail "neither first page (\"$WALK_FRESH_CAPTION\", \"$WALK_FINDER_CAPTION\") was shown within 60 s"
}

# walk_find_app: "&Continua" on the finder runs its search; the title then asks to
# confirm the program folder it shows, and "&Continua" again confirms it. Fails when the
# search found no folder (Continue stays disabled): the page's texts are told.
walk_find_app() {
  walk_wait_page "$WALK_FINDER_CAPTION" 30 || return 1
  walk_shot finder
  walk_activate "$WALK_ID"
  press "$WALK_ID" alt+c
  walk_wait_page "$WALK_FOUND_CAPTION" 120 || return 1
  walk_shot finder-found
  local texts
  texts=$(walk_texts "$WALK_FOUND_CAPTION" 2>/dev/null || true)
  if grep -qF '????' <<<"$texts"; then
    walk_fail "the finder found no program folder: $(tr '\n' ' ' <<<"$texts")"
    return 1
  fi
  walk_press_until_gone "$WALK_FOUND_CAPTION" alt+c
}

# walk_upgrade_copy [NEXT]: "&Continua" on the upgrade copy page (the copy runs inside
# that click), then the next page is waited for; the instructions viewer that opens
# after the program component is read and closed.
walk_upgrade_copy() {
  local next=${1:-Actualizare baza de date}
  walk_wait_page "Actualizare fisiere Corvan" 30 || return 1
  walk_shot upgrade-copy
  walk_activate "$WALK_ID"
  press "$WALK_ID" alt+c
  walk_wait_page "$next" 180 || return 1
  walk_close_viewer
}

# walk_upgrade_data: the database upgrade page with its three steps chosen; "&Continua"
# runs them (inside that click) and the finish page follows.
walk_upgrade_data() {
  walk_wait_page "Actualizare baza de date" 30 || return 1
  walk_shot database-upgrade
  walk_activate "$WALK_ID"
  press "$WALK_ID" alt+c
  walk_wait_page "Finalizare" 120 || return 1
  walk_close_viewer
}

# walk_upgrade_local: the upgrade road of a local installation, from the finder to
# I&esire on the finish page.
walk_upgrade_local() {
  walk_find_app &&
    walk_upgrade_copy &&
    walk_upgrade_data &&
    walk_finish
}

# unix_path 'C:\Corvan': the prefix's folder for a path on drive C:.
unix_path() {
  local p=${1//\\//}
  case $p in
    [Cc]:*) echo "$WINEPREFIX/drive_c${p:2}" ;;
    *) echo "$(readlink -f "$WINEPREFIX/dosdevices/$(echo "${p:0:2}" | tr A-Z a-z)")${p:2}" ;;
  esac
}

# The Start menu's programs folder of the prefix's user.
start_menu_programs() {
  echo "$WINEPREFIX/drive_c/users/$(ls "$WINEPREFIX/drive_c/users" | grep -v -x Public | head -1)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
}

# describe_installation PROGRAM [DATA]: the folders with their files and sizes, the
# engine's aliases and the program group, as a user would check them. Non-zero when a
# folder, the engine's answer or the group is missing.
describe_installation() {
  local program=$1 data=${2:-$1} folder seen="" status=0
  for folder in "$program" "$data" 'C:\Program Files\Borland\Common Files\BDE'; do
    local dir
    dir=$(unix_path "$folder")
    [[ " $seen " == *" $dir "* ]] && continue
    seen+=" $dir"
    if [ -d "$dir" ]; then
      printf '%s: %d files, %d bytes\n' "$folder" "$(find "$dir" -type f | wc -l)" \
        "$(find "$dir" -type f -printf '%s\n' | awk '{s += $1} END {print s + 0}')"
      (cd "$dir" && find . -mindepth 1 -maxdepth 1 -type d -printf '%P\n' | sort | while read -r sub; do
        printf '  %s\\: %d files, %d bytes\n' "$sub" "$(find "$sub" -type f | wc -l)" \
          "$(find "$sub" -type f -printf '%s\n' | awk '{s += $1} END {print s + 0}')"
      done)
    else
      echo "$folder: missing"
      status=1
    fi
  done
  echo "Engine aliases:"
  local report
  if report=$(wine "$WALK_ENGINE_REPORT" 2>&1 | tr -d '\r'); then
    echo "$report" | sed 's/^/  /'
  else
    echo "  the engine does not answer: $report"
    status=1
  fi
  local group
  group="$(start_menu_programs)/Corvan"
  if [ -d "$group" ]; then
    echo "Program group \"Corvan\" in the Start menu: $(cd "$group" && ls | tr '\n' ',' | sed 's/,$//; s/,/, /g')"
  else
    echo "Program group \"Corvan\": missing from the Start menu"
    status=1
  fi
  return $status
}
