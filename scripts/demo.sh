#!/usr/bin/env bash
# Builds the setup and runs it under Wine on the demo media, as a user would start it
# from the installation disk (the CD folder as drive D:), on the demo machine: the Wine
# prefix build/demo-prefix, which keeps what was installed from one run to the next. The
# first run installs Corvan; once its CORVAN alias exists, the next run takes the upgrade
# road. CORVAN_DEMO_FRESH=1 starts over on a new demo machine (the prefix and the
# screenshots of earlier runs removed).
# - With a display ($DISPLAY), the user drives the wizard.
# - Without one, on an Xvfb display of its own, it walks whichever road the setup takes
#   itself, as a user would (windows found by their captions, keys typed into them): the
#   fresh local installation, or the upgrade (the finder, the upgrade copy, the database
#   upgrade with its three steps, the finish page). It saves a screenshot of every page in
#   build/demo-screenshots/<run>-<road>/ and prints what was installed: the folders with
#   their file counts and sizes, the engine's aliases, the program group; after an upgrade
#   also the data folder's files compared before and after, file by file (sha256), the
#   program files the upgrade rewrote and the engine's folder compared. A step that fails
#   is named, with what was on the screen, and the script exits non-zero.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVAN_BUILD:-$root/build}
[ "$(id -u)" = 0 ] && bash "$root/scripts/bootstrap.sh"
bash "$root/scripts/build.sh" win64
cmake --build "$build/win64" --target demo_media
media="$build/win64/media/cd"
tools="$build/win64/tests/win32"

prefix="$build/demo-prefix"
shots_root="$build/demo-screenshots"
if [ "${CORVAN_DEMO_FRESH:-0}" = 1 ]; then
  echo "CORVAN_DEMO_FRESH=1: a new demo machine (the prefix $prefix and earlier screenshots removed)."
  [ -d "$prefix" ] && WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  rm -rf "$prefix" "$shots_root"
fi
# Earlier versions of this script walked in a prefix of their own.
rm -rf "$build/demo-walk-prefix"
# The tests' prefix recipe and faces; made when missing, remade (a new machine) when the
# recipe changed.
"$root/scripts/make-wine-prefix.sh" "$prefix"
source "$root/scripts/wine-env.sh"
source "$root/scripts/xvfb.sh"
source "$root/scripts/windows.sh"
source "$root/scripts/install-walk.sh"

export WINEPREFIX="$prefix"
ln -sfn "$media" "$prefix/dosdevices/d:"
wine reg add 'HKLM\Software\Wine\Drives' /v d: /d cdrom /f >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true

headless=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  headless=1
fi

if ((!headless)); then
  echo "Corvan Setup on $DISPLAY, media $media as D:, on the demo machine $prefix"
  echo "(once Corvan is installed there, the setup takes the upgrade road;"
  echo " CORVAN_DEMO_FRESH=1 bash scripts/demo.sh starts over)."
  wine 'D:\INSTALL.EXE'
  wineserver -w
  exit 0
fi

unset DISPLAY
start_xvfb
trap 'wineserver -k 2>/dev/null || true; stop_xvfb' EXIT

# Each run keeps its screenshots in a folder of its own, numbered after the earlier runs'.
mkdir -p "$shots_root"
rm -f "$shots_root"/*.png  # earlier versions of this script kept them here
run_number=$(( $(find "$shots_root" -mindepth 1 -maxdepth 1 -type d -printf '%f\n' |
  sed -n 's/^\([0-9]\{1,\}\)-.*/\1/p' | sort -n | tail -1 | sed 's/^0*//') + 1 ))
shots=""
shot_number=0
demo_shot() {
  shot_number=$((shot_number + 1))
  import -window root "$shots/$(printf %02d "$shot_number")-$1.png"
}
export WALK_SHOT=demo_shot WALK_TEXTS="$tools/window_texts.exe" WALK_ENGINE_REPORT="$tools/engine_report.exe"

# What a customer's data folder holds, file by file: "sha256  relative path", sorted.
data_checksums() {
  (cd "$1" && find . -type f -printf '%P\0' | sort -z | xargs -0 -r sha256sum)
}
# The folder of the CORVAN alias (the data folder's DATA), as the engine holds it.
corvan_alias_folder() {
  wine "$WALK_ENGINE_REPORT" 2>/dev/null | tr -d '\r' | sed -n 's/^CORVAN=//p'
}

echo "No display: Corvan Setup from $media as D: on $DISPLAY, on the demo machine $prefix."
start_mark=$(mktemp)
# What the setup paints, from Wine's own trace of DrawTextExW: the texts the upgrade
# library shows on the database upgrade page while its steps run, which no window keeps.
drawn=$(mktemp)
trap 'wineserver -k 2>/dev/null || true; stop_xvfb; rm -f "$start_mark" "$drawn"' EXIT
WINEDEBUG=-all,trace+text walk_start 'D:\' 2>>"$drawn" && walk_road || {
  echo "FAILED: the setup did not show its first page: $WALK_FAILURE"
  exit 1
}
shots="$shots_root/$(printf %02d "$run_number")-$WALK_ROAD"
mkdir -p "$shots"

if [ "$WALK_ROAD" = fresh ]; then
  echo "Corvan is not installed here: walking a fresh local installation;"
  echo "a screenshot of every page in $shots."
  if ! { walk_install_type local && walk_folders "" && walk_copy && walk_config && walk_finish; }; then
    echo
    echo "FAILED: the walk stopped: $WALK_FAILURE"
    echo "Screenshots up to there: $shots"
    exit 1
  fi
  echo
  echo "Installed (in $prefix):"
  described=0
  describe_installation 'C:\Corvan' || described=1
  echo
  echo "Screenshots ($shots):"
  ls "$shots" | sed 's/^/  /'
  if ((described)); then
    echo "FAILED: the wizard ended, but the installation is not whole (see above)."
    exit 1
  fi
  echo "Done: Corvan is installed. Run the demo again to upgrade it;"
  echo "CORVAN_DEMO_FRESH=1 bash scripts/demo.sh starts over with a fresh installation."
  exit 0
fi

# The upgrade road. The data folder is the one the installed Corvan uses (its alias);
# the engine's folder is the installed engine's.
alias_folder=$(corvan_alias_folder)
[ -n "$alias_folder" ] || { echo "FAILED: the setup took the upgrade road, but the engine names no CORVAN alias"; exit 1; }
data_dir=$(unix_path "$alias_folder")
engine_dir=$(unix_path 'C:\Program Files\Borland\Common Files\BDE')
record=UPGRADE.VER
before_data=$(data_checksums "$data_dir")
before_engine=$(data_checksums "$engine_dir")
before_record=$(cat "$data_dir/$record" 2>/dev/null | tr -d '\r' || true)
echo "Corvan is installed here (data in $alias_folder): walking the upgrade;"
echo "a screenshot of every page in $shots."
if ! walk_upgrade_local; then
  echo
  echo "FAILED: the walk stopped: $WALK_FAILURE"
  echo "Screenshots up to there: $shots"
  exit 1
fi
after_data=$(data_checksums "$data_dir")
after_engine=$(data_checksums "$engine_dir")
after_record=$(cat "$data_dir/$record" 2>/dev/null | tr -d '\r' || true)

failed=0
echo
echo "Upgraded (in $prefix)."
echo "The data folder $alias_folder, sha256 of every file before and after the upgrade:"
# Each file that is not the same: changed, new or gone.
changes=$(join -t $'\t' -a1 -a2 -e '-' -o 0,1.2,2.2 \
  <(sed -E 's/^([0-9a-f]+)  (.*)$/\2\t\1/' <<<"$before_data" | sort -t $'\t' -k1,1) \
  <(sed -E 's/^([0-9a-f]+)  (.*)$/\2\t\1/' <<<"$after_data" | sort -t $'\t' -k1,1) |
  awk -F '\t' '$2 != $3 { print $1 "\t" ($2 == "-" ? "new" : $3 == "-" ? "gone" : "changed") }')
unexpected=$(awk -F '\t' -v record="$record" '$1 != "" && toupper($1) != record { print "  " $1 ": " $2 }' <<<"$changes")
record_change=$(awk -F '\t' -v record="$record" '$1 != "" && toupper($1) == record { print $2 }' <<<"$changes")
files=$(sed '/^$/d' <<<"$before_data" | wc -l)
if [ -z "$unexpected" ]; then
  echo "  identical: the $files files it held have the bytes they had${record_change:+; $record is $record_change (below)}"
else
  echo "  CHANGED by the upgrade:"
  echo "$unexpected"
  failed=1
fi
echo "  $record, the upgrade library's record of the database upgrade (each step it ran"
echo "  writes the version it brought the database to; the one file of the data folder the"
echo "  upgrade is expected to write): ${record_change:-unchanged}"
sed 's/^/    /' <<<"$after_record"
for step in Structure Lists Constants; do
  grep -q "^$step=" <<<"$after_record" || { echo "  FAILED: the record names no $step step"; failed=1; }
done
echo "The database upgrade page showed, while its three steps ran:"
sed -n 's/^.*trace:text:DrawTextExW L"\(\(Structuri\|Liste\|Constante\): .*\)", -\{0,1\}[0-9]*, \[.*$/\1/p' "$drawn" |
  uniq | sed 's/^/  /'
if [ "$before_engine" = "$after_engine" ]; then
  echo "The engine's folder C:\\Program Files\\Borland\\Common Files\\BDE: identical (sha256 of every file)."
else
  echo "The engine's folder C:\\Program Files\\Borland\\Common Files\\BDE: CHANGED by the upgrade"
  failed=1
fi
# A local installation's program folder holds its data folder.
install_dir=$(dirname "$data_dir")
rewritten=$(cd "$install_dir" && find . -path ./DATA -prune -o -type f -cnewer "$start_mark" -printf '%P\n' | sort)
echo "Rewritten from the media in ${alias_folder%\\*} ($(sed '/^$/d' <<<"$rewritten" | wc -l) files):"
sed '/^$/d' <<<"$rewritten" | awk -F/ '{ top = NF > 1 ? $1 "\\" : $0; n[top]++ } END { for (t in n) print "  " t (n[t] > 1 ? " (" n[t] " files)" : "") }' | sort
echo
echo "The installation now:"
describe_installation "${alias_folder%\\*}" || failed=1
echo
echo "Screenshots ($shots):"
ls "$shots" | sed 's/^/  /'
if ((failed)); then
  echo "FAILED: the upgrade ended, but see above."
  exit 1
fi
echo "Done: Corvan is upgraded and the customer's data is as it was."
echo "CORVAN_DEMO_FRESH=1 bash scripts/demo.sh starts over with a fresh installation."
