# Sourced: start_xvfb gives this shell its own X display (unless one is set) and
# stop_xvfb ends it. Xvfb runs no window manager.
start_xvfb() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local fifo
  fifo=$(mktemp -u /tmp/corvan-xvfb.XXXXXX)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  CORVAN_XVFB_PID=$!
  local number
  read -r number <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$number"
}
stop_xvfb() {
  if [ -n "${CORVAN_XVFB_PID:-}" ]; then kill "$CORVAN_XVFB_PID" 2>/dev/null || true; fi
}
