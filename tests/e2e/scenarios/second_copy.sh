#!/usr/bin/env bash
# One station runs one cycle: a second start of the program, and one of the other edition,
# bring the running window to the front and end with status 0, without a window, a scan or
# a script: each script runs once per image. Once the first has been killed, a new start
# runs the station.
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e_lib.sh"
: "${LUMENPOLL_E2E_OTHER_PROGRAM:?names the program of the other edition}"

stage_station '0 0\r\n' TIF
write_macro_list full NO
start_x_server
start_program
wait_until 20 "start-up script call" called ij_deldcm.bat ""

put_other_window_in_front
! program_window_in_front || fail "another program's window did not come in front"
launch_program second
wait_copy_exit "$launched_pid" 30
wait_until 10 "the running window in front" program_window_in_front
launch_program other_edition "$LUMENPOLL_E2E_OTHER_PROGRAM"
wait_copy_exit "$launched_pid" 30

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
