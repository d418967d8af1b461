# Sourced by the demo and the end-to-end tests: an X server of our own under Xvfb.
# shellcheck shell=bash

xvfb_pid=""

x_server_ready() { xwininfo -root >/dev/null 2>&1; }

# start_xvfb LOG SCREEN: starts Xvfb on the first free display from :90 on, exports
# DISPLAY and sets xvfb_pid; returns 1 when no display could be had.
start_xvfb() {
  local log=$1 screen=$2 n
  for n in $(seq 90 189); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 "$screen" -nolisten tcp >"$log" 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    local deadline=$((SECONDS + 10))
    while kill -0 "$xvfb_pid" 2>/dev/null && ! x_server_ready && [ "$SECONDS" -lt "$deadline" ]; do
      sleep 0.1
    done
    x_server_ready && return 0
    stop_xvfb
  done
  return 1
}

stop_xvfb() {
  [ -n "$xvfb_pid" ] || return 0
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
}
