# Sourced by the end-to-end runs and the demo: a user's hands on an X display. Windows
# are found by their caption and waited for (never a fixed sleep), keys are typed on the
# keyboard into the focused window.

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
