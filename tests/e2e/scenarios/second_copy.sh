#!/usr/bin/env bash
# One station runs one cycle: a second start of the program, and one of the other edition,
# bring the running window to the front and end with status 0, without a window, a scan or
# a script: each script runs once per image. Once the first has been killed, a new start
# runs the station. A start in another session, which cannot see the window, says who runs
# the station instead.
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e_lib.sh"
: "${LUMENPOLL_E2E_OTHER_PROGRAM:?names the program of the other edition}"

readonly HELD_BY_BEN="lumenpoll is already running for ben on this station. Close it in that \
session to run it here."
readonly NOT_ANSWERING="lumenpoll is already running on this station but does not answer. \
Restart the station; if this comes back, call IT."

# expect_not_answering NAME: a start that finds the station held by a program that does not
# answer names it in one box, shows no window of its own and ends once the box is answered.
expect_not_answering() {
  launch_program "$1"
  local pid=$launched_pid
  wait_for_box 30
  assert_open_boxes "$NOT_ANSWERING"
  close_box "$(open_boxes | cut -f1)"
  wait_until 10 "the start gone" eval '! kill -0 "$pid" 2>/dev/null'
  wait "$pid" || fail "the start that was not answered ended with status $?"
}

stage_station '0 0\r\n' TIF
write_macro_list full NO
start_x_server

# A start that finds the station held in another session: its box names the holder's user,
# the program ends once it is answered, or when the session ends under it.
if hold_station_elsewhere ben; then
  for ending in answer session; do
    launch_program "held_elsewhere_$ending"
    program_pid=$launched_pid
    wait_for_box 30
    assert_open_boxes "$HELD_BY_BEN"
    window_shown && fail "a window of its own while another session holds the station"
    if [ "$ending" == answer ]; then
      close_box "$(open_boxes | cut -f1)"
    else
      end_the_session closeapp
    fi
    BOXES_ALLOWED=1 wait_program_exit 10
    [ -z "$(logged_calls)" ] || fail "a script ran while another session holds the station"
    note "held elsewhere: ended by the $ending"
  done
  release_station
fi

# A program that took the station's name and answers nobody.
if hold_station_silently; then
  expect_not_answering silent_holder
  window_shown && fail "a window of its own while a silent program holds the station"
  [ -z "$(logged_calls)" ] || fail "a script ran while a silent program holds the station"
  release_station
  note "a silent holder is named"
fi

start_program
wait_until 20 "start-up script call" called ij_deldcm.bat ""

# A holder that hangs: its window comes forward where another program can raise it, else
# the start says that it does not answer.
kill -STOP "$program_pid"
if [ -n "$HUNG_HOLDER_BROUGHT_FORWARD" ]; then
  launch_program hung_holder
  wait_copy_exit "$launched_pid" 30
  box_open && fail "a box for a hung holder whose window came forward: $(open_box_texts)"
else
  expect_not_answering hung_holder
fi
kill -CONT "$program_pid"
note "a hung holder is brought forward or named"

put_other_window_in_front
! program_window_in_front || fail "another program's window did not come in front"
launch_program second
wait_copy_exit "$launched_pid" 30
wait_until 10 "the running window in front" program_window_in_front
launch_program other_edition "$LUMENPOLL_E2E_OTHER_PROGRAM"
wait_copy_exit "$launched_pid" 30

other_session_box_open() { [ -n "$(other_session_boxes)" ]; }

# Another operator's start cannot see this window: it says who runs the station, in a box of
# its own session, and ends once the box is answered.
for account in same-account other-account; do
  if ! start_copy_in_other_session "other_session_$account" "$account"; then
    note "SKIP: no other session ($account) here"
    continue
  fi
  copy_pid=$launched_pid
  wait_until 30 "the box in the other session ($account)" other_session_box_open
  [ "$(other_session_boxes | cut -f2-)" == "lumenpoll is already running for $(id -un) on \
this station. Close it in that session to run it here." ] ||
    fail "the other session's box says: $(other_session_boxes | cut -f2-)"
  [ "$(other_session_windows)" -eq 0 ] || fail "a window in the other session ($account)"
  if [ "$account" == same-account ]; then
    close_other_session_box "$(other_session_boxes | cut -f1)"
    wait_copy_exit "$copy_pid" 20
  else  # that session ends with the box open
    kill -TERM "$copy_pid"
    wait_until 10 "the other session's copy gone" eval '! kill -0 "$copy_pid" 2>/dev/null'
  fi
  note "told in the other session ($account)"
done

drop_raw shot01.NEF
wait_image_done 60 shot01
assert_calls "$STARTUP_CALL" "$(image_calls shot01 thorax_lat shot01.TIF)"

note "the first copy killed"
kill -KILL "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=""
wait_until 20 "the killed window gone" test "$(windows_of_caption "$CAPTION")" -eq 0
start_program
drop_raw shot02.NEF
wait_image_done 60 shot02
assert_calls "$STARTUP_CALL" "$(image_calls shot01 thorax_lat shot01.TIF)" \
  "$STARTUP_CALL" "$(image_calls shot02 thorax_lat shot02.TIF)"

click_view_images
wait_program_exit 20
note "second_copy passed"
