# shellcheck shell=bash
# Sourced by the end-to-end tests: an own X server, a fresh station folder with stand-in
# scripts, the program under test, polling with time-outs, and clean-up on every exit.
#
# A test script is run as: bash <test>.sh PROGRAM DRIVE_C ARTIFACTS
# where DRIVE_C is the folder compiled into PROGRAM as its drive C:.
set -euo pipefail

E2E_SOURCE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
readonly E2E_SOURCE
readonly SKIPPED=77

[ $# -eq 3 ] || { echo "usage: $0 PROGRAM DRIVE_C ARTIFACTS" >&2; exit 2; }
readonly PROGRAM=$1 DRIVE=$2 ARTIFACTS=$3
readonly IMAGEJ="$DRIVE/Program Files/ImageJ"
readonly IMPORT="$DRIVE/TOLVA/import"
readonly CALLS="$DRIVE/calls.log"
readonly TAB=$'\t'

for tool in Xvfb xdotool xwininfo xprop; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit "$SKIPPED"; }
done

program_pid=""
# shellcheck source=scripts/xvfb.sh
source "$E2E_SOURCE/../../scripts/xvfb.sh"
# shellcheck source=tests/e2e/station_lib.sh
source "$E2E_SOURCE/station_lib.sh"

fail() {
  echo "FAIL: $*" >&2
  dump_state >&2
  exit 1
}

dump_state() {
  echo "== script calls ($CALLS):"
  cat "$CALLS" 2>/dev/null || echo "(none)"
  echo "== import folder:"
  ls -la "$IMPORT" 2>/dev/null || true
  echo "== program output:"
  cat "$ARTIFACTS/program.out" 2>/dev/null || true
  if [ -n "${DISPLAY:-}" ] && [ -n "$xvfb_pid" ]; then
    echo "== windows:"
    xwininfo -root -children 2>/dev/null | grep '"' || true
    if command -v import >/dev/null; then
      import -window root "$ARTIFACTS/failure.png" 2>/dev/null &&
        echo "screen: $ARTIFACTS/failure.png"
    fi
  fi
}

stop_program() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null || true
    local deadline=$((SECONDS + 2))
    while kill -0 "$program_pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.2; done
    kill -KILL "$program_pid" 2>/dev/null || true
  fi
  [ -z "$program_pid" ] || wait "$program_pid" 2>/dev/null || true
  program_pid=""
}

cleanup() {
  stop_program
  stop_xvfb
}
trap cleanup EXIT

# ---- polling -------------------------------------------------------------------------------

error_box_shown() { xdotool search --name "^$ERROR_CAPTION\$" >/dev/null 2>&1; }

# A box whose message is this may open while wait_until waits: it is closed, not a failure.
TOLERATED_BOX=""

# wait_until SECONDS WHAT COMMAND...: polls COMMAND; fails on time-out, when the program
# ends (unless it has already been seen to end) or when it shows an error box meanwhile
# (other than one saying TOLERATED_BOX).
wait_until() {
  local seconds=$1 what=$2 box
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ -z "$program_pid" ] || program_running || fail "the program ended before $what"
    box=$(box_window)
    if [ -n "$box" ]; then
      [ -n "$TOLERATED_BOX" ] && [ "$(box_message "$box")" == "$TOLERATED_BOX" ] ||
        fail "the program shows an error box before $what: $(box_message "$box")"
      close_box "$box"
    fi
    [ "$SECONDS" -lt "$deadline" ] || fail "no $what within ${seconds}s"
    sleep 0.2
  done
}

# ---- error boxes ---------------------------------------------------------------------------

box_window() { xdotool search --name "^$ERROR_CAPTION\$" 2>/dev/null | head -n 1 || true; }

# box_message WINDOW: the box's message, which it also carries as its icon title.
box_message() {
  xprop -id "$1" WM_ICON_NAME 2>/dev/null | sed -n 's/^WM_ICON_NAME([A-Z0-9_]*) = "\(.*\)"$/\1/p'
}

# close_box WINDOW: Escape, as the operator would close it.
close_box() { xdotool windowfocus --sync "$1" key Escape >/dev/null 2>&1 || true; }

# expect_box SECONDS TEXT: a box saying TEXT opens within SECONDS; it is then closed.
expect_box() {
  local seconds=$1 text=$2 box message
  local deadline=$((SECONDS + seconds))
  until box=$(box_window) && [ -n "$box" ]; do
    program_running || fail "the program ended before the box \"$text\""
    [ "$SECONDS" -lt "$deadline" ] || fail "no box \"$text\" within ${seconds}s"
    sleep 0.2
  done
  message=$(box_message "$box")
  [ "$message" == "$text" ] || fail "the box says \"$message\", expected \"$text\""
  close_box "$box"
  note "box: $message"
}

# ---- X server and window -------------------------------------------------------------------

start_x_server() {
  start_xvfb "$ARTIFACTS/xvfb.log" 800x600x24 || fail "could not start Xvfb (log: $ARTIFACTS/xvfb.log)"
}

start_program() {
  [ -x "$PROGRAM" ] || fail "no program at $PROGRAM"
  (cd "$ARTIFACTS" && exec "$PROGRAM" >"$ARTIFACTS/program.out" 2>&1 </dev/null) &
  program_pid=$!
  wait_until 20 "window \"$CAPTION\"" window_shown
}

# Prints "WIDTHxHEIGHT" of the window found by its caption.
window_size() {
  xwininfo -name "$CAPTION" |
    awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w "x" h }'
}

# ---- station -------------------------------------------------------------------------------

# stage_station SELECTION_BYTES PROCESSED DECOY: a fresh drive with the stand-in scripts;
# the test writes its macro list afterwards.
stage_station() {
  # A test may have left a file immutable (read-only even for root).
  [ ! -d "$DRIVE" ] || chattr -R -i "$DRIVE" >/dev/null 2>&1 || true
  rm -rf "$DRIVE"
  mkdir -p "$IMAGEJ" "$IMPORT" "$ARTIFACTS"
  cp "$E2E_SOURCE"/stand_ins/*.bat "$IMAGEJ/"
  printf 'processed=%s\ndecoy=%s\n' "$2" "$3" >"$IMAGEJ/stand_in.conf"
  printf '%b' "$1" >"$IMAGEJ/macroset.txt"
  : >"$CALLS"
  rm -f "$ARTIFACTS/failure.png"
}

# Hidden names do not count: the scanner does not see them either.
import_empty() {
  local f
  for f in "$IMPORT"/*; do [ -e "$f" ] && return 1; done
  return 0
}

# ---- assertions ----------------------------------------------------------------------------

# The program reaps the scripts it starts: no zombie children linger.
assert_no_zombies() {
  local deadline=$((SECONDS + 10)) zombies
  while :; do
    zombies=$(ps -o pid=,stat=,args= --ppid "$program_pid" | awk '$2 ~ /^Z/' || true)
    [ -z "$zombies" ] && return
    [ "$SECONDS" -lt "$deadline" ] || fail "zombie children of the program:"$'\n'"$zombies"
    sleep 0.2
  done
}

# After the program has ended, no script of this station is still running.
assert_no_leftovers() {
  local deadline=$((SECONDS + 15)) left
  while :; do
    # The needle goes through the environment so that awk's own command line does not match.
    left=$(ps -eo pid=,args= | NEEDLE="$IMAGEJ/" awk 'index($0, ENVIRON["NEEDLE"])' || true)
    [ -z "$left" ] && return
    [ "$SECONDS" -lt "$deadline" ] || fail "processes left behind:"$'\n'"$left"
    sleep 0.2
  done
}
