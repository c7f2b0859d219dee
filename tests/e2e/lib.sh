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
source "$SOURCE/scripts/windows.sh"
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

screenshot() {
  import -window root "$SHOTS/$1.png"
}
