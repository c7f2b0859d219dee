#!/usr/bin/env bash
# Builds the setup and runs it under Wine on the demo media, as a user would start it
# from the installation disk (the CD folder as drive D:).
# - With a display ($DISPLAY), the user drives the wizard, in build/demo-prefix.
# - Without one, on an Xvfb display of its own, it walks the fresh local installation
#   itself as a user would (windows found by their captions, keys typed into them), in a
#   fresh prefix build/demo-walk-prefix; it saves a screenshot of every page in
#   build/demo-screenshots and prints what was installed: the folders with their file
#   counts and sizes, the engine's aliases, the program group. A step that fails is named,
#   with what was on the screen, and the script exits non-zero.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVAN_BUILD:-$root/build}
[ "$(id -u)" = 0 ] && bash "$root/scripts/bootstrap.sh"
bash "$root/scripts/build.sh" win64
cmake --build "$build/win64" --target demo_media
media="$build/win64/media/cd"

# The tests' prefix recipe and faces (remade when the recipe changed).
prefix="$build/demo-prefix"
"$root/scripts/make-wine-prefix.sh" "$prefix"
source "$root/scripts/wine-env.sh"
source "$root/scripts/xvfb.sh"
source "$root/scripts/windows.sh"
source "$root/scripts/install-walk.sh"

headless=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  headless=1
fi

if ((!headless)); then
  export WINEPREFIX="$prefix"
  ln -sfn "$media" "$prefix/dosdevices/d:"
  echo "Corvan Setup on $DISPLAY, media $media as D:"
  wine 'D:\INSTALL.EXE'
  wineserver -w
  exit 0
fi

# No display: a fresh computer every time, so the walk takes the fresh-install road.
walk_prefix="$build/demo-walk-prefix"
[ -d "$walk_prefix" ] && WINEPREFIX="$walk_prefix" wineserver -k 2>/dev/null || true
rm -rf "$walk_prefix"
flock -s "$prefix.lock" cp -a "$prefix" "$walk_prefix"
export WINEPREFIX="$walk_prefix"
ln -sfn "$media" "$walk_prefix/dosdevices/d:"
wine reg add 'HKLM\Software\Wine\Drives' /v d: /d cdrom /f >/dev/null 2>&1
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
unset DISPLAY
start_xvfb
trap 'wineserver -k 2>/dev/null || true; stop_xvfb' EXIT

shots="$build/demo-screenshots"
rm -rf "$shots"
mkdir -p "$shots"
shot_number=0
demo_shot() {
  shot_number=$((shot_number + 1))
  import -window root "$shots/$(printf %02d "$shot_number")-$1.png"
}
export WALK_SHOT=demo_shot WALK_TEXTS="$build/win64/tests/win32/window_texts.exe"
export WALK_ENGINE_REPORT="$build/win64/tests/win32/engine_report.exe"

echo "No display: walking a local installation of Corvan from $media as D: on $DISPLAY;"
echo "a screenshot of every page in $shots."
if ! walk_fresh_local_install 'D:\'; then
  echo
  echo "FAILED: the walk stopped: $WALK_FAILURE"
  echo "Screenshots up to there: $shots"
  exit 1
fi
echo
echo "Installed (in $walk_prefix):"
described=0
describe_installation 'C:\Corvan' || described=1
echo
echo "Screenshots:"
ls "$shots" | sed 's/^/  /'
if ((described)); then
  echo "FAILED: the wizard ended, but the installation is not whole (see above)."
  exit 1
fi
echo "Done: Corvan is installed."
