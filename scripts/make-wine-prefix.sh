#!/usr/bin/env bash
# Creates a pristine Wine prefix for the tests: no Mono or Gecko dialogs, no engine key
# (Wine adds HKLM\Software\Borland\Database Engine\Settings\SYSTEM\INIT to a new prefix,
# which would make every fresh-install test believe an engine is installed).
set -euo pipefail
dest=${1:?usage: make-wine-prefix.sh DIR}
tmp="$dest.tmp.$$"
rm -rf "$tmp"
mkdir -p "$(dirname "$dest")"
export WINEPREFIX="$tmp" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine wineboot -i >/dev/null 2>&1
wine reg delete "HKLM\\Software\\Borland" /f >/dev/null 2>&1 || true
# Xvfb runs no window manager: unmanaged windows spare Wine its 2-second wait for one
# on every hide and destroy.
wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
wineserver -w
# Another test run may have made it meanwhile; keep whichever was first.
if ! mv -T "$tmp" "$dest" 2>/dev/null; then rm -rf "$tmp"; fi
