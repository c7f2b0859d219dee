# Sourced after lib.sh by the end-to-end runs that install Corvan: the walk of the pages
# (scripts/install-walk.sh), the media as a user's drive, and the checks of what a
# finished installation leaves on the computer.
source "$SOURCE/scripts/install-walk.sh"
TOOLS="$BUILD/tests/win32"
COMPONENTS="$BUILD/components"
export WALK_TEXTS="$TOOLS/window_texts.exe" WALK_ENGINE_REPORT="$TOOLS/engine_report.exe"
[ -f "$WALK_TEXTS" ] && [ -f "$WALK_ENGINE_REPORT" ] || fail "window_texts.exe or engine_report.exe not built"
[ -d "$COMPONENTS/EXE" ] || fail "no component folders in $COMPONENTS (build demo_media)"
ENGINE_DIR="$WINEPREFIX/drive_c/Program Files/Borland/Common Files/BDE"
# The archives the setup joins, one per component.
COMPONENT_NAMES=(EXE OUTPOST DBDAT DBNEW BDE32 HELP PAYDESK)

# Every page shown is kept under the build's screenshots as <script>-<page>.png.
E2E_NAME=$(basename "$0" .sh)
e2e_page_shot() { screenshot "$E2E_NAME-$1"; }
export WALK_SHOT=e2e_page_shot

# insert_disk LETTER KIND FOLDER: the folder becomes the prefix's drive of that kind
# ("cdrom", "floppy", "network"); the wineserver is restarted for the kind to count.
insert_disk() {
  local letter=$1 kind=$2 folder=$3
  ln -sfn "$folder" "$WINEPREFIX/dosdevices/$letter:"
  wine reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /d "$kind" /f >/dev/null 2>&1 || fail "cannot mark $letter: as $kind"
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

# The key a new Wine prefix brings would make the copy page see an installed engine; the
# pristine prefix has none: a fresh-install run makes sure of it.
! wine reg query 'HKLM\Software\Borland\Database Engine\Settings\SYSTEM\INIT' >/dev/null 2>&1 ||
  fail "the prefix already holds an engine key"

walk_or_fail() {
  "$@" || fail "${WALK_FAILURE:-the walk failed}"
}

# check_component NAME FOLDER [SKIP...]: every file of the component is in the folder,
# byte for byte (the files named in SKIP are only required to be there).
check_component() {
  local name=$1 folder=$2; shift 2
  local source="$COMPONENTS/$name" file bad=""
  [ -d "$source" ] || fail "no component folder $source"
  while IFS= read -r file; do
    local skip=0 s
    for s in "$@"; do [ "$file" = "$s" ] && skip=1; done
    if [ ! -f "$folder/$file" ]; then
      bad+=" $file (missing)"
    elif ((!skip)) && ! cmp -s "$source/$file" "$folder/$file"; then
      bad+=" $file (differs)"
    fi
  done < <(cd "$source" && find . -type f -printf '%P\n' | sort)
  [ -z "$bad" ] || fail "component $name in $folder:$bad"
}

# check_not_unpacked NAME FOLDER: no file of the component is in the folder.
check_not_unpacked() {
  local name=$1 folder=$2 file
  while IFS= read -r file; do
    [ ! -e "$folder/$file" ] || fail "component $name was unpacked into $folder ($file)"
  done < <(cd "$COMPONENTS/$name" && find . -type f -printf '%P\n')
}

# check_archives_gone FOLDER: no joined archive is left in the program folder.
check_archives_gone() {
  local name
  for name in "${COMPONENT_NAMES[@]}"; do
    [ ! -e "$1/$name.ZIP" ] || fail "the joined archive $name.ZIP is left in $1"
  done
}

# check_aliases DATA: the engine answers the four aliases under that data folder (given
# as Windows writes it, without a final backslash) and NET DIR names it.
check_aliases() {
  local data=$1 report expected
  report=$(wine "$WALK_ENGINE_REPORT" 2>&1 | tr -d '\r') || fail "the engine report failed: $report"
  expected=$(printf '%s\n' "CORVANALIAS=$data\\NEW\\DATA" "FIRMAALIAS=$data\\NEW\\FIRMA" \
    "LUNAALIAS=$data\\NEW\\LUNA" "CORVAN=$data\\DATA" "NET DIR=$data\\")
  [ "$report" = "$expected" ] || fail "the engine holds:
$report
expected:
$expected"
}

# reg_value KEY NAME: the value's data as `wine reg query` shows it ("" for the default).
reg_value() {
  local args=(/v "$2")
  [ -z "$2" ] && args=(/ve)
  wine reg query "$1" "${args[@]}" 2>/dev/null | tr -d '\r' | sed -n 's/^ *[^ ].*REG_SZ *//p' | head -1
}

# check_configured PROGRAM: HHUPD.EXE and TREGSVR.EXE ran from the program folder.
check_configured() {
  local program=$1 value
  value=$(reg_value 'HKLM\Software\Corvan\Help' Folder)
  [ "$value" = "$program\\" ] || fail "HHUPD.EXE did not run from $program (Help folder: '$value')"
  value=$(reg_value 'HKCR\CLSID\{6F1C2B7A-3E55-4C1D-9A1E-2C0A3200876B}\InprocServer32' '')
  [ "$value" = "$program\\CFX32.OCX" ] || fail "CFX32.OCX was not registered by TREGSVR.EXE (server: '$value')"
}

# check_group ITEM...: the Start menu holds the group "Corvan" with exactly these items.
check_group() {
  local group items expected
  group="$(start_menu_programs)/Corvan"
  [ -d "$group" ] || fail "no program group Corvan in the Start menu"
  items=$(cd "$group" && ls | sort | tr '\n' ' ')
  expected=$(printf '%s.lnk\n' "$@" | sort | tr '\n' ' ')
  [ "$items" = "$expected" ] || fail "program group Corvan holds: $items; expected: $expected"
}

# check_finish_page: the finish page's memo names the first login.
check_finish_page() {
  local texts
  texts=$(walk_texts "Finalizare") || fail "no finish page to read"
  for line in "Instalarea s-a terminat cu succes!" 'Utilizator implicit:  "Master", ' "cu parola de acces 1"; do
    grep -qxF "  $line" <<<"$texts" || fail "the finish page does not say \"$line\": $texts"
  done
}

# check_nothing_shown: no window of the setup is left on the screen (the shell's window
# of the new program group may stay, as it does on Windows).
check_nothing_shown() {
  local left
  left=$(wine "$WALK_TEXTS" 2>/dev/null | grep '^== ' | grep -v ' \[explorer\.exe\]$' || true)
  [ -z "$left" ] || fail "windows left after the setup ended:
$left"
}

# check_viewer_opened: the instructions viewer came after the program component, when
# this setup has one.
check_viewer_opened() {
  if [ ! -f "$SOURCE/setup/CInfo.cpp" ]; then
    echo "note: this setup has no instructions viewer yet: its opening is not checked"
    return 0
  fi
  ((WALK_VIEWER_SHOWN)) || fail "the instructions viewer did not open after the program component"
}

# The texts the setup draws, read from Wine's own trace of DrawTextExW: what a user reads
# on the painted labels that no window carries (a message dialog's text, the copy page's
# status line). walk_start_traced starts the setup with that trace into $DRAWN.
DRAWN="$E2E_WORK/drawn.txt"
DRAWN_MARK=0
walk_start_traced() {
  : >"$DRAWN"
  WINEDEBUG=-all,trace+text walk_start "$@" 2>>"$DRAWN"
}
drawn_mark() { DRAWN_MARK=$(stat -c %s "$DRAWN"); }
# drawn_since_mark: each text drawn since the mark, once, as the trace writes it (a
# carriage return as \r).
drawn_since_mark() {
  tail -c +$((DRAWN_MARK + 1)) "$DRAWN" | sed -n 's/^.*trace:text:DrawTextExW L"\(.*\)", -\{0,1\}[0-9]*, \[.*$/\1/p' | sort -u
}
# drawn_in_order: the texts drawn since the mark in the order they were drawn, a text
# repeated at once (each repaint) given once.
drawn_in_order() {
  tail -c +$((DRAWN_MARK + 1)) "$DRAWN" | sed -n 's/^.*trace:text:DrawTextExW L"\(.*\)", -\{0,1\}[0-9]*, \[.*$/\1/p' | uniq
}
