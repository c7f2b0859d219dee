#!/usr/bin/env bash
# INSTALL.EXE started from a media folder without a marker copies itself, its
# configuration and the upgrade package into a fresh GUID folder under Temp, writes the
# marker, starts the copy and ends without a window; the copy reads the marker and runs
# the wizard driver (which discards the upgrade package on the fresh-install road) up to
# its first page, which "&Abandon" closes, ending the wizard.
source "$(dirname "$0")/lib.sh"

media="$WINEPREFIX/drive_c/KIT"
mkdir -p "$media"
cp "$BUILD/setup/INSTALL.exe" "$media/INSTALL.EXE"
printf '[General]\r\nNrDiscuri=1\r\n' >"$media/INSTALL.CFG"
printf 'PK upgrade package' >"$media/UPGRADE.1"

windows_before=$(xdotool search --onlyvisible --name '.' 2>/dev/null | wc -l || true)
wine 'C:\KIT\INSTALL.EXE' &
first=$!
wait "$first" || fail "the first instance failed"

local_dir=$(find "$TEMP_DIR" -maxdepth 1 -regextype posix-extended -regex '.*/[0-9A-F]{32}' | head -1)
[ -n "$local_dir" ] || fail "no GUID folder under Temp"
for f in INSTCORV.EXE INSTCORV.CFG INSTCORV.DAT; do
  [ -f "$local_dir/$f" ] || fail "$f missing from the local copy"
done
cmp -s "$media/INSTALL.EXE" "$local_dir/INSTCORV.EXE" || fail "INSTCORV.EXE differs from INSTALL.EXE"
[ "$(cat "$local_dir/INSTCORV.DAT" | od -c | head -1 | tr -s ' ')" = "$(printf 'C:\\KIT\\\r\n' | od -c | head -1 | tr -s ' ')" ] ||
  fail "marker content: $(od -c "$local_dir/INSTCORV.DAT")"

# The copy runs the driver: on the fresh-install road its first page is the install type.
id=$(wait_for_window "Alegeti tipul instalarii!" 60) || fail "the local copy showed no install type page"
screenshot relaunch-first-page
[ ! -e "$local_dir/UPGRADE.ZIP" ] || fail "the fresh-install road kept UPGRADE.ZIP"
# "&Abandon" ends the wizard; the key is typed again while the copy runs (a window just
# shown may not have the keyboard yet). The copy's command line names its GUID folder: no
# other run's program matches.
copy=$(pgrep -f "$(basename "$local_dir")" | head -1 || true)
for ((try = 0; try < 5; try++)); do
  [ -n "$copy" ] && kill -0 "$copy" 2>/dev/null || break
  id=$(wait_for_window "Alegeti tipul instalarii!" 5) || break
  press "$id" alt+a
  wait_for_exit "$copy" 4 && break
done
[ -z "$copy" ] || wait_for_exit "$copy" 20 || fail "the local copy did not end after Abandon"
echo "relaunch: ok ($local_dir)"
