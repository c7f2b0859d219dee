# Sourced by the end-to-end scripts: a fresh copy of the build's pristine Wine prefix, an
# X display of its own, the bench's faces checked, windows found by caption, keys typed
# like a user, screenshots kept under the build folder. Everything it started goes at
# the end, however the script ends.
set -euo pipefail
BUILD=${1:?build folder}
SOURCE=${2:?source folder}
SHOTS="$BUILD/screenshots"
mkdir -p "$SHOTS"
source "$SOURCE/scripts/wine-env.sh"
source "$SOURCE/scripts/xvfb.sh"
E2E_WORK=$(mktemp -d /tmp/corvan-e2e.XXXXXX)
e2e_cleanup() {
  WINEPREFIX="$E2E_WORK/prefix" wineserver -k 2>/dev/null || true
  WINEPREFIX="$E2E_WORK/prefix" timeout 20 wineserver -w 2>/dev/null || true
  stop_xvfb
  rm -rf "$E2E_WORK"
}
trap e2e_cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

"$SOURCE/scripts/make-wine-prefix.sh" "$BUILD/wine/pristine"
flock -s "$BUILD/wine/pristine.lock" cp -a "$BUILD/wine/pristine" "$E2E_WORK/prefix"
export WINEPREFIX="$E2E_WORK/prefix"
WINE_USER=$(ls "$WINEPREFIX/drive_c/users" | grep -v -x Public | head -1)
TEMP_DIR="$WINEPREFIX/drive_c/users/$WINE_USER/Temp"
start_xvfb || fail "no X display"
fault=$(wine "$BUILD/tests/win32/face_check.exe" 2>&1 >/dev/null) || fail "${fault:-the face check did not run}"

# wait_for_window CAPTION [SECONDS]: prints the id of a shown window with that caption
# once it has finished painting (two looks a tenth of a second apart are the same). Wine
# may replace a window's X window while showing it: the search is made again each time.
wait_for_window() {
  local caption=$1 seconds=${2:-20} id previous="" look
  for ((i = 0; i < seconds * 10; i++)); do
    id=$(xdotool search --onlyvisible --name "^${caption}\$" 2>/dev/null | head -1 || true)
    look=""
    [ -n "$id" ] && look="$id $(import -window "$id" -depth 8 rgb:- 2>/dev/null | md5sum)"
    if [ -n "$look" ] && [ "$look" = "$previous" ]; then
      echo "$id"
      return 0
    fi
    previous=$look
    sleep 0.1
  done
  return 1
}

# wait_for_exit PID [SECONDS]: true once the process has ended.
wait_for_exit() {
  local pid=$1 seconds=${2:-10}
  for ((i = 0; i < seconds * 10; i++)); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# wait_for_file PATH [SECONDS]: true once the file exists.
wait_for_file() {
  local path=$1 seconds=${2:-20}
  for ((i = 0; i < seconds * 10; i++)); do
    [ -e "$path" ] && return 0
    sleep 0.1
  done
  return 1
}

# press WINDOW KEYS...: focuses the window (no window manager: windowfocus) and types keys
# as the keyboard does (XTEST, to the focused window). Sent straight to the window, a key's
# release can find it gone when its press closed it.
press() {
  local id=$1; shift
  xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
  xdotool key "$@"
}

screenshot() {
  import -window root "$SHOTS/$1.png"
}
