#!/usr/bin/env bash
# Media without INSTALL.EXE: the first instance still makes its local folder and marker,
# cannot start the copy, shows nothing and ends.
source "$(dirname "$0")/lib.sh"

media="$WINEPREFIX/drive_c/KIT"
mkdir -p "$media"
cp "$BUILD/setup/INSTALL.exe" "$media/SETUP.EXE"   # started under another name
printf 'PK upgrade package' >"$media/UPGRADE.1"

# Watched while it runs: a window shown at any moment fails the run.
wine 'C:\KIT\SETUP.EXE' &
first=$!
for ((i = 0; i < 300; i++)); do
  kill -0 "$first" 2>/dev/null || break
  if xdotool search --onlyvisible --name '.+' >/dev/null 2>&1; then
    screenshot relaunch-without-program
    fail "a window was shown"
  fi
  sleep 0.1
done
kill -0 "$first" 2>/dev/null && fail "the first instance hung"
wait "$first" || fail "the first instance failed"
local_dir=$(find "$TEMP_DIR" -maxdepth 1 -regextype posix-extended -regex '.*/[0-9A-F]{32}' | head -1)
[ -n "$local_dir" ] || fail "no GUID folder under Temp"
[ -f "$local_dir/INSTCORV.DAT" ] || fail "no marker"
[ ! -e "$local_dir/INSTCORV.EXE" ] || fail "a program was copied from nowhere"
[ -f "$local_dir/UPGRADE.ZIP" ] || fail "the upgrade package was not copied"
# Nothing of the prefix is left running that could show one later.
timeout 20 wineserver -w || fail "a program of the prefix is still running"
if xdotool search --onlyvisible --name '.+' >/dev/null 2>&1; then
  screenshot relaunch-without-program
  fail "a window was shown"
fi
echo "relaunch without INSTALL.EXE: ok"
