#!/usr/bin/env bash
# Two raw files through the full program's cycle: the scripts run in order with the base
# name and the macro argument of the saved selection, a .DCM file does not stand in for the
# processed .TIF image, the status lines end on the last image, the import folder is left
# empty, and the selection is saved unchanged. Started from a folder of the test's, the
# program starts every script in the folder the platform gives them (on Windows its own).
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e_lib.sh"

stage_station '1 2\r\n' TIF DCM
write_macro_list full NO
start_x_server
start_program
wait_until 20 "start-up script call" called ij_deldcm.bat ""

drop_raw shot01.NEF
wait_until 60 "raw script call for shot01" called ij_raw.bat "shot01 skull_dv_cat"
drop_raw shot02.nef
wait_image_done 90 shot02

assert_calls "$STARTUP_CALL" \
  "$(image_calls shot01 skull_dv_cat shot01.DCM shot01.TIF)" \
  "$(image_calls shot02 skull_dv_cat shot02.DCM shot02.TIF)"
assert_scripts_started_in "$(scripts_working_folder)"
assert_shows la_fname "Waiting for Image File"
assert_shows la_last "Processed shot02.dcm"
assert_started_scripts_reaped

click_view_images
wait_program_exit 20
assert_bytes "$IMAGEJ/macroset.txt" '1 2\r\n'
assert_no_leftovers
note "cycle passed"
