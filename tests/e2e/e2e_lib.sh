# shellcheck shell=bash
# Sourced by every end-to-end scenario (tests/e2e/scenarios): the program under test on its
# platform, an own X server, waits with time-outs, the error boxes, and clean-up on every
# exit. A scenario is run with the platform first, then that platform's arguments:
#
#   bash scenarios/<name>.sh linux PROGRAM DRIVE_C CLOSE-REQUEST ARTIFACTS
#   bash scenarios/<name>.sh wine PROGRAM.exe WINDOW-PROBE.exe ARTIFACTS
#
# The platform's layer (platform_<name>.sh) sets PROGRAM, ARTIFACTS and DRIVE (the program,
# the folder for its output, its drive C:), PLATFORM_TOOLS (the commands it needs, or the
# scenario is skipped), X_SCREEN, SCRIPTS_AS_STARTED (the scripts' folder as a started
# script's command line shows it), PLATFORM_FRAME_LINES (what describe_window_frame adds),
# STAND_INS_CANNOT_LOG and LONGEST_LOGGED_ARGUMENT (what the stand-ins can take in an
# argument: bytes for tr -d, a length), LONGEST_STATION_PATH (the longest path the program's
# calls open), and defines
#   prepare_session, end_session      after the X server starts; after the program stops
#   launch_program NAME [PROGRAM]     a copy of the program (or of PROGRAM), its output in
#                                     ARTIFACTS/NAME.out; sets launched_pid
#   start_copy_in_other_session NAME [other-account]
#                                     a copy of the program in another session (as another
#                                     account); false where there is none; then
#                                     other_session_boxes, close_other_session_box ID and
#                                     other_session_windows look at that session
#   hold_station_elsewhere USER, hold_station_silently, release_station
#                                     a stand-in holds the station as USER's program in another
#                                     session would, or as a program that took the name and
#                                     answers nobody; false where a real copy does that instead
#   HUNG_HOLDER_BROUGHT_FORWARD       set where a later start brings forward the window of a
#                                     holder that hangs, without a box
#   end_the_session [REASON]          as the session's end (logoff, shutdown, or an installer's
#                                     closeapp) tells the program
#   close_from_task_bar               as the task bar's "Close window" does
#   put_other_window_in_front, program_window_in_front
#                                     another program's window; whether ours is in front
#   make_unreadable NAME, hold_for_writing NAME SECONDS, mark_read_only FILE
#                                     a raw file this account cannot read, one a writer holds,
#                                     the read-only attribute; false where the platform has none
#   install_stand_ins, logged_calls   the script stand-ins into IMAGEJ; their log, one
#                                     "name<TAB>argc<TAB>args[<TAB>time]" line per call
#   scripts_working_folder            the folder the scripts start in, as they log it
#   shown_text CONTROL                what the control shows (la_fname, la_last, cb_species...)
#   error_box_shown, open_boxes       quick: is a box open; the open boxes, "ID<TAB>TEXT" each
#   close_box ID                      as the operator closes it (it may take a moment)
#   ask_window_to_close               as the window's close box does
#   describe_window_frame             "client=WxH", "topmost=1", "dialog_frame=1", "centred=1"
#   hide_raw NAME, hidden_name NAME   a raw file the platform hides; the name it then has
#   system_error_text CODE            what a box says for the system's error CODE
#   assert_started_scripts_reaped, dump_platform_state
set -euo pipefail

E2E_SOURCE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
readonly E2E_SOURCE
readonly SKIPPED=77
readonly TAB=$'\t'

usage() {
  echo "usage: $0 linux PROGRAM DRIVE_C CLOSE-REQUEST ARTIFACTS" >&2
  echo "       $0 wine PROGRAM.exe WINDOW-PROBE.exe ARTIFACTS" >&2
  exit 2
}

# shellcheck source=scripts/xvfb.sh
source "$E2E_SOURCE/../../scripts/xvfb.sh"

readonly PLATFORM=${1:-}
[ $# -gt 0 ] && shift
case $PLATFORM in
  linux)
    # shellcheck source=tests/e2e/platform_linux.sh
    source "$E2E_SOURCE/platform_linux.sh" "$@"
    ;;
  wine)
    # shellcheck source=tests/e2e/platform_wine.sh
    source "$E2E_SOURCE/platform_wine.sh" "$@"
    ;;
  *) usage ;;
esac
readonly IMAGEJ="$DRIVE/Program Files/ImageJ"
readonly IMPORT="$DRIVE/TOLVA/import"
readonly CALLS="$IMAGEJ/calls.log"

for tool in "${PLATFORM_TOOLS[@]}"; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit "$SKIPPED"; }
done

program_pid=""
# shellcheck source=tests/e2e/station_lib.sh
source "$E2E_SOURCE/station_lib.sh"

note() { echo "--- $*"; }

fail() {
  echo "FAIL: $*" >&2
  dump_state >&2
  exit 1
}

dump_state() {
  echo "== script calls ($CALLS):"
  logged_calls 2>/dev/null || echo "(none)"
  echo "== import folder:"
  ls -la "$IMPORT" 2>/dev/null || true
  local out
  for out in "$ARTIFACTS"/*.out; do
    [ -e "$out" ] || continue
    echo "== $(basename "$out" .out) output:"
    cat "$out"
  done
  if [ -n "${DISPLAY:-}" ] && [ -n "$xvfb_pid" ]; then
    dump_platform_state 2>/dev/null || true
    if command -v import >/dev/null && import -window root "$ARTIFACTS/failure.png" 2>/dev/null; then
      echo "screen: $ARTIFACTS/failure.png"
    fi
  fi
}

program_running() { [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; }

stop_program() {
  if program_running; then
    kill "$program_pid" 2>/dev/null || true
    local deadline=$((SECONDS + 2))
    while kill -0 "$program_pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.2; done
    kill -KILL "$program_pid" 2>/dev/null || true
  fi
  [ -z "$program_pid" ] || wait "$program_pid" 2>/dev/null || true
  program_pid=""
  end_session
}

cleanup() {
  stop_program
  stop_xvfb
}
trap cleanup EXIT

# ---- the program ---------------------------------------------------------------------------

start_x_server() {
  mkdir -p "$ARTIFACTS"
  start_xvfb "$ARTIFACTS/xvfb.log" "$X_SCREEN" ||
    fail "could not start Xvfb (log: $ARTIFACTS/xvfb.log)"
  prepare_session
}

# Starts the program and waits for its window. A box the start shows (a missing file) may be
# mapped before the window is seen: it is left to the scenario, whose next wait fails on it
# unless the scenario expects it.
start_program() {
  [ -f "$PROGRAM" ] || fail "no program at $PROGRAM"
  launch_program program
  program_pid=$launched_pid
  BOXES_ALLOWED=1 wait_until 60 "window \"$CAPTION\"" window_shown
}

# wait_program_exit SECONDS: the program ends by itself within SECONDS, with status 0 and,
# unless BOXES_ALLOWED is set, without an error box.
wait_program_exit() {
  local seconds=$1 deadline=$((SECONDS + $1)) status=0
  while kill -0 "$program_pid" 2>/dev/null; do
    if [ -z "${BOXES_ALLOWED:-}" ] && box_open; then
      fail "the program shows an error box instead of ending: $(open_box_texts)"
    fi
    [ "$SECONDS" -lt "$deadline" ] || fail "the program did not end within ${seconds}s"
    sleep 0.2
  done
  wait "$program_pid" || status=$?
  program_pid=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# wait_copy_exit PID SECONDS: a copy of the program started beside this one ends within
# SECONDS with status 0, without a window of its own.
wait_copy_exit() {
  local pid=$1 deadline=$((SECONDS + $2)) status=0
  while kill -0 "$pid" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the second copy did not end within ${2}s"
    sleep 0.2
  done
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "the second copy ended with status $status"
  [ "$(windows_of_caption "$CAPTION")" -eq 1 ] || fail "more than one window \"$CAPTION\""
}

# windows_of_caption TITLE: how many visible windows of this title with a size there are.
windows_of_caption() {
  local id width count=0
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    width=$(xwininfo -id "$id" 2>/dev/null | awk '/^ *Width:/ { print $2 }')
    [ "${width:-0}" -le 1 ] || count=$((count + 1))
  done
  echo "$count"
}

# ---- waiting -------------------------------------------------------------------------------

# A box whose text is this may open while wait_until waits: it is closed, not a failure.
TOLERATED_BOX=""

# wait_until SECONDS WHAT COMMAND...: polls COMMAND; fails on time-out, when the program
# ends (unless it has already been seen to end) or, unless BOXES_ALLOWED is set, when it
# shows an error box meanwhile (other than one saying TOLERATED_BOX).
wait_until() {
  local seconds=$1 what=$2 id text
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ -z "$program_pid" ] || program_running || fail "the program ended before $what"
    if [ -z "${BOXES_ALLOWED:-}" ] && error_box_shown; then
      while IFS=$TAB read -r id text; do
        if [ -z "$TOLERATED_BOX" ] || [ "$text" != "$TOLERATED_BOX" ]; then
          fail "the program shows an error box before $what: $text"
        fi
        close_box_and_wait "$id"
      done < <(open_boxes)
    fi
    [ "$SECONDS" -lt "$deadline" ] || fail "no $what within ${seconds}s"
    sleep 0.2
  done
}

# wait_image_done SECONDS BASE [NAME...]: the delete script has been run for BASE within
# SECONDS and the import folder holds nothing but the NAMEs; then the next scans are given
# the time to take up again a raw file left behind.
wait_image_done() {
  local seconds=$1 base=$2
  shift 2
  wait_until "$seconds" "delete script call for $base" called ij_del.bat "$base"
  wait_until 20 "import folder holding only \"$*\"" import_holds_only "$@"
  sleep 2.5
}

# ---- error boxes ---------------------------------------------------------------------------

open_box_texts() { open_boxes | cut -f2-; }

# A closed box's X window may linger a moment: what the layer lists is what is open.
box_open() { error_box_shown && [ -n "$(open_boxes)" ]; }

# wait_for_box SECONDS: until the program shows an error box.
wait_for_box() { BOXES_ALLOWED=1 wait_until "$1" "an error box" box_open; }

# assert_open_boxes TEXT...: the open error boxes say exactly these, in this order.
assert_open_boxes() {
  local expected actual
  expected=$(printf '%s\n' "$@")
  actual=$(open_box_texts)
  [ "$actual" == "$expected" ] ||
    fail "the open boxes say:"$'\n'"$actual"$'\n'"expected:"$'\n'"$expected"
}

box_gone() { ! open_boxes | cut -f1 | grep -qxF "$1"; }

close_box_and_wait() {
  close_box "$1"
  BOXES_ALLOWED=1 wait_until 10 "closing of the box $1" box_gone "$1"
}

# Closes every open error box, new ones that open meanwhile too.
close_open_boxes() {
  local deadline=$((SECONDS + 10)) id
  while box_open; do
    for id in $(open_boxes | cut -f1); do close_box_and_wait "$id"; done
    [ "$SECONDS" -lt "$deadline" ] || fail "the error boxes do not stop opening"
  done
}

# expect_box SECONDS TEXT: a box saying TEXT opens within SECONDS, alone; it is then closed.
expect_box() {
  wait_for_box "$1"
  assert_open_boxes "$2"
  close_box_and_wait "$(open_boxes | cut -f1)"
  note "box: $2"
}

# ---- the window ----------------------------------------------------------------------------

# shows CONTROL TEXT: the control shows exactly TEXT.
shows() { [ "$(shown_text "$1")" == "$2" ]; }

assert_shows() { shows "$1" "$2" || fail "$1 shows \"$(shown_text "$1")\", not \"$2\""; }

# assert_window_frame WIDTHxHEIGHT: the window's client size, always on top, a dialog frame,
# centred on the screen, and what the platform adds (PLATFORM_FRAME_LINES).
assert_window_frame() {
  local description line
  description=$(describe_window_frame) || fail "no window \"$CAPTION\" to describe"
  for line in "client=$1" topmost=1 dialog_frame=1 centred=1 "${PLATFORM_FRAME_LINES[@]}"; do
    grep -qxF -- "$line" <<<"$description" ||
      fail "the window is not \"$line\":"$'\n'"$description"
  done
}

# ---- processes -----------------------------------------------------------------------------

# After the program has ended, no script of this station is still running.
assert_no_leftovers() {
  local deadline=$((SECONDS + 15)) left
  while :; do
    # The needle goes through the environment so that awk's own command line does not match.
    left=$(ps -eo pid=,args= |
      NEEDLE="$SCRIPTS_AS_STARTED" awk 'index(tolower($0), tolower(ENVIRON["NEEDLE"]))' || true)
    [ -z "$left" ] && return
    [ "$SECONDS" -lt "$deadline" ] || fail "processes left behind:"$'\n'"$left"
    sleep 0.2
  done
}
