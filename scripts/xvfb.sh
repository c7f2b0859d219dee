# Sourced: start_xvfb gives this shell an X display of its own, a new Xvfb whatever
# DISPLAY said (tests never draw on, focus or move the pointer of someone else's
# display), and stop_xvfb ends it. Xvfb runs no window manager.
start_xvfb() {
  local fifo number=""
  fifo=$(mktemp -u /tmp/corvan-xvfb.XXXXXX)
  mkfifo "$fifo"
  # -displayfd: Xvfb takes the first free display number and writes it once it accepts
  # connections. fd 9 (a caller's liveness lock) stays with the caller.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" 9>&- >/dev/null 2>&1 &
  CORVAN_XVFB_PID=$!
  read -r number <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$number" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$number"
}
stop_xvfb() {
  if [ -n "${CORVAN_XVFB_PID:-}" ]; then
    kill "$CORVAN_XVFB_PID" 2>/dev/null || true
    wait "$CORVAN_XVFB_PID" 2>/dev/null || true
    CORVAN_XVFB_PID=
  fi
}
