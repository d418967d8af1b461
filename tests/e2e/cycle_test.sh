#!/usr/bin/env bash
# Two raw files through the full program's cycle: the scripts run in order with the base
# name and the macro argument of the saved selection, a .DCM file does not stand in for the
# processed .TIF image, and the import folder is left empty.
# shellcheck source=SCRIPTDIR/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"

stage_station '1 2\r\n' TIF DCM
write_macro_list full NO
start_x_server
start_program
wait_until 20 "start-up script call" called ij_deldcm.bat ""

drop_raw shot01.NEF
wait_until 60 "raw script call for shot01" called ij_raw.bat "shot01 skull_dv_cat"
drop_raw shot02.nef
wait_until 90 "delete script call for shot02" called ij_del.bat shot02
wait_until 20 "empty import folder" import_empty
sleep 2.5  # a raw file left behind would be taken up again by the next scans

assert_calls \
  "ij_deldcm.bat${TAB}0$TAB" \
  "ij_raw.bat${TAB}2${TAB}shot01 skull_dv_cat" \
  "wrote${TAB}1${TAB}shot01.DCM" \
  "wrote${TAB}1${TAB}shot01.TIF" \
  "ij_dcm.bat${TAB}1${TAB}shot01" \
  "ij_del.bat${TAB}1${TAB}shot01" \
  "ij_raw.bat${TAB}2${TAB}shot02 skull_dv_cat" \
  "wrote${TAB}1${TAB}shot02.DCM" \
  "wrote${TAB}1${TAB}shot02.TIF" \
  "ij_dcm.bat${TAB}1${TAB}shot02" \
  "ij_del.bat${TAB}1${TAB}shot02"
assert_no_zombies

click_view_images
wait_program_exit 20
assert_bytes "$IMAGEJ/macroset.txt" '1 2\r\n'
assert_no_leftovers
note "cycle passed"
