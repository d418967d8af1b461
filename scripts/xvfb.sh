# Sourced by the demos, the end-to-end tests and the figures: an X server of our own under
# Xvfb, and the program's windows on it.
# shellcheck shell=bash

xvfb_pid=""
readonly CAPTION="Velmora Imaging Processing"
# shellcheck disable=SC2034  # read by the scripts that source this
readonly ERROR_CAPTION="Orvend Image Processing"
window_id=""

x_server_ready() { xwininfo -root >/dev/null 2>&1; }

# Sets window_id to the program's visible window; false while there is none.
window_shown() {
  window_id=$(xdotool search --onlyvisible --name "^$CAPTION\$" 2>/dev/null | head -n 1)
  [ -n "$window_id" ]
}

# Clicks "View Images" where the operator would (under Wine without a window manager the X
# window is the client area, as it is for FLTK's).
click_view_images() { xdotool mousemove --window "$window_id" 240 188 click 1; }

# window_with_size_shown TITLE: a visible window of exactly this title, wider than one pixel.
# Under Wine the task-bar button's window carries the application's title but has no size.
window_with_size_shown() {
  local id width
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    width=$(xwininfo -id "$id" 2>/dev/null | awk '/^ *Width:/ { print $2 }')
    [ "${width:-0}" -gt 1 ] && return 0
  done
  return 1
}

# start_xvfb LOG SCREEN: starts Xvfb on a display it finds free itself (no race with other
# servers, even ones in another chroot), exports DISPLAY and sets xvfb_pid; returns 1 on failure.
start_xvfb() {
  local log=$1 screen=$2 number_file n=""
  number_file=$(mktemp)
  # -noreset: the server would otherwise regenerate when the readiness probe disconnects, and
  # refuse the program that connects right after.
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$number_file" >"$log" 2>&1 &
  xvfb_pid=$!
  local deadline=$((SECONDS + 10))
  while kill -0 "$xvfb_pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
    # The number is complete once its line end is written.
    if [ "$(wc -l <"$number_file")" -ge 1 ]; then
      n=$(tr -dc '0-9' <"$number_file")
      break
    fi
    sleep 0.1
  done
  rm -f "$number_file"
  if [ -n "$n" ]; then
    export DISPLAY=":$n"
    while kill -0 "$xvfb_pid" 2>/dev/null && ! x_server_ready && [ "$SECONDS" -lt "$deadline" ]; do
      sleep 0.1
    done
    kill -0 "$xvfb_pid" 2>/dev/null && x_server_ready && return 0
  fi
  stop_xvfb
  return 1
}

stop_xvfb() {
  [ -n "$xvfb_pid" ] || return 0
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
}
