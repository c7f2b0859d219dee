#!/usr/bin/env bash
# Makes the pristine Wine prefix the tests and the demo copy, or remakes it when it was
# made by another version of this script or from other font packages; otherwise does
# nothing. The prefix has:
# - no Mono or Gecko dialogs;
# - no engine key (Wine adds HKLM\Software\Borland\Database Engine\Settings\SYSTEM\INIT
#   to a new prefix, which would make every fresh-install test believe an engine is
#   installed);
# - unmanaged windows;
# - the faces of a Windows computer in C:\windows\Fonts: Wine's own (fonts-wine, which
#   Debian's Wine does not find by itself) and, for "Times New Roman", "Courier New" and
#   "Arial", the metric-compatible Liberation faces (fonts-liberation2) under those names.
#   The symbol face "Wingdings" stays out: the program carries its own and adds it where
#   the system has none, and the tests exercise that.
set -euo pipefail
dest=${1:?usage: make-wine-prefix.sh DIR}
here=$(cd "$(dirname "$0")" && pwd)
wine_fonts=/usr/share/wine/fonts
liberation=/usr/share/fonts/truetype/liberation2
declare -A replacements=(
  ["Times New Roman"]="Liberation Serif"
  ["Courier New"]="Liberation Mono"
  ["Arial"]="Liberation Sans"
)

stamp=$({
  sha256sum <"$here/make-wine-prefix.sh"
  dpkg-query -W fonts-wine fonts-liberation2 2>&1
} | sha256sum | cut -d' ' -f1)
current() { [ "$(cat "$dest/.corvan-stamp" 2>/dev/null)" = "$stamp" ]; }
current && exit 0

mkdir -p "$(dirname "$dest")"
# One maker at a time; copies (flock -s on the same file) wait while it works.
exec 8>"$dest.lock"
flock 8
current && exit 0

for face in "$wine_fonts/tahoma.ttf" "$liberation/LiberationSerif-Regular.ttf"; do
  [ -f "$face" ] || { echo "make-wine-prefix: $face missing (run scripts/bootstrap.sh as root)" >&2; exit 1; }
done

source "$here/wine-env.sh"
tmp="$dest.tmp.$$"
rm -rf "$tmp"
trap 'WINEPREFIX="$tmp" wineserver -k 8>&- 2>/dev/null || true; rm -rf "$tmp"' EXIT
export WINEPREFIX="$tmp" WINEDLLOVERRIDES="mscoree,mshtml="
# Nothing to show: never on the caller's screen.
unset DISPLAY
run() { "$@" 8>&- >/dev/null 2>&1; }
run wine wineboot -i
run wine reg delete "HKLM\\Software\\Borland" /f || true
# Xvfb runs no window manager: unmanaged windows spare Wine its 2-second wait for one
# on every hide and destroy.
run wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f

fonts="$tmp/drive_c/windows/Fonts"
mkdir -p "$fonts"
find "$wine_fonts" -maxdepth 1 -type f ! -name wingding.ttf -exec cp {} "$fonts/" \;
for name in "${!replacements[@]}"; do
  face=${replacements[$name]}
  cp "$liberation/${face// /}"-*.ttf "$fonts/"
  run wine reg add "HKCU\\Software\\Wine\\Fonts\\Replacements" /v "$name" /d "$face" /f
done
run wineserver -w

echo "$stamp" >"$tmp/.corvan-stamp"
rm -rf "$dest"
mv -T "$tmp" "$dest"
trap - EXIT
