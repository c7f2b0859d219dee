# Sourced by the end-to-end scripts: a fresh Wine prefix, windows found by caption,
# keys typed like a user, screenshots kept under the build folder.
set -euo pipefail
BUILD=${1:?build folder}
SOURCE=${2:?source folder}
SHOTS="$BUILD/screenshots"
mkdir -p "$SHOTS"
E2E_WORK=$(mktemp -d /tmp/corvan-e2e.XXXXXX)
[ -d "$BUILD/wine/pristine" ] || "$SOURCE/scripts/make-wine-prefix.sh" "$BUILD/wine/pristine"
cp -a "$BUILD/wine/pristine" "$E2E_WORK/prefix"
export WINEPREFIX="$E2E_WORK/prefix" WINEDEBUG=-all
WINE_USER=$(ls "$WINEPREFIX/drive_c/users" | grep -v -x Public | head -1)
TEMP_DIR="$WINEPREFIX/drive_c/users/$WINE_USER/Temp"

e2e_cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$E2E_WORK"
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# wait_for_window CAPTION [SECONDS]: prints the window id once a window with that caption exists.
wait_for_window() {
  local caption=$1 seconds=${2:-60} id
  for ((i = 0; i < seconds * 5; i++)); do
    id=$(xdotool search --name "^${caption}\$" 2>/dev/null | head -1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.2
  done
  return 1
}

# press WINDOW KEYS...: focuses the window (no window manager: windowfocus) and types keys.
press() {
  local id=$1; shift
  xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
  xdotool key --window "$id" "$@"
}

screenshot() {
  import -window root "$SHOTS/$1.png"
}
