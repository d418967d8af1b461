#!/usr/bin/env bash
# lumenpoll-lite: the narrower window, and a cycle that waits for <base>.DCM written by the
# raw script into the import folder (a .TIF image of the same name does not end the wait);
# then, with auto-close on, the program ends after the next image, the selection saved.
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e_lib.sh"

stage_station '1 1\r\n' DCM TIF
write_macro_list lite NO
start_x_server
start_program

assert_window_frame 304x209
wait_until 20 "start-up script call" called ij_deldcm.bat ""

drop_raw shot01.NEF
wait_image_done 60 shot01

assert_calls "$STARTUP_CALL" \
  "$(image_calls shot01 pelvis_vd_cat shot01.TIF shot01.DCM)"
assert_started_scripts_reaped

click_view_images
wait_program_exit 20
assert_bytes "$IMAGEJ/macroset.txt" '1 1\r\n'
assert_no_leftovers

note "auto-close"
write_macro_list lite YES
: >"$CALLS"
start_program
wait_until 20 "start-up script call" called ij_deldcm.bat ""
drop_raw shot02.NEF
wait_program_exit 60
assert_calls "$STARTUP_CALL" \
  "$(image_calls shot02 pelvis_vd_cat shot02.TIF shot02.DCM)"
assert_bytes "$IMAGEJ/macroset.txt" '1 1\r\n'
note "lite passed"
