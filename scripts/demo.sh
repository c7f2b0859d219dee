#!/usr/bin/env bash
# Builds the setup and runs it under Wine on the demo media, as a user would start it
# from the installation disk. Uses $DISPLAY when there is one, else an Xvfb display
# (screenshots then go to build/demo-screenshots every 5 seconds for CORVAN_DEMO_SECONDS,
# 60 by default, and the setup is then ended).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVAN_BUILD:-$root/build}
[ "$(id -u)" = 0 ] && bash "$root/scripts/bootstrap.sh"
bash "$root/scripts/build.sh" native win64
cmake --build "$build/win64" --target demo_media
media="$build/win64/media/cd"

# The tests' prefix recipe and faces (remade when the recipe changed).
prefix="$build/demo-prefix"
"$root/scripts/make-wine-prefix.sh" "$prefix"
source "$root/scripts/wine-env.sh"
export WINEPREFIX="$prefix"
# The media is seen by Windows as drive D: (a CD).
ln -sfn "$media" "$prefix/dosdevices/d:"

source "$root/scripts/xvfb.sh"
headless=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  unset DISPLAY
  start_xvfb
  headless=1
  trap stop_xvfb EXIT
fi
echo "Corvan Setup on $DISPLAY, media $media as D:"
wine 'D:\INSTALL.EXE'
if ((headless)); then
  # Nobody can answer the setup on an invisible display: watch it for a while, then end it.
  seconds=${CORVAN_DEMO_SECONDS:-60}
  shots="$build/demo-screenshots"
  mkdir -p "$shots"
  echo "No display: a screenshot every 5 s for ${seconds} s in $shots."
  for ((i = 0; i * 5 < seconds; i++)); do
    sleep 5
    import -window root "$shots/$(printf %03d "$i").png" 2>/dev/null || true
    pgrep -f 'INSTCORV.EXE' >/dev/null || break
  done
  wineserver -k 2>/dev/null || true
else
  wineserver -w
fi
