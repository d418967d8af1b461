#!/usr/bin/env bash
# lumenpoll-lite: the narrower window, and a cycle that waits for <base>.DCM written by the
# raw script into the import folder; a .TIF image of the same name does not end the wait.
# shellcheck source=SCRIPTDIR/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"

stage_station '1 1\r\n' DCM TIF
write_macro_list lite NO
start_x_server
start_program

size=$(window_size)
[ "$size" == 304x209 ] || fail "window is $size, expected 304x209"
wait_until 20 "start-up script call" called ij_deldcm.bat ""

drop_raw shot01.NEF
wait_until 60 "delete script call" called ij_del.bat shot01
wait_until 20 "empty import folder" import_empty
sleep 2.5  # a raw file left behind would be taken up again by the next scans

assert_calls \
  "ij_deldcm.bat${TAB}0$TAB" \
  "ij_raw.bat${TAB}2${TAB}shot01 pelvis_vd_cat" \
  "wrote${TAB}1${TAB}shot01.TIF" \
  "wrote${TAB}1${TAB}shot01.DCM" \
  "ij_dcm.bat${TAB}1${TAB}shot01" \
  "ij_del.bat${TAB}1${TAB}shot01"
assert_no_zombies

click_view_images
wait_program_exit 20
assert_bytes "$IMAGEJ/macroset.txt" '1 1\r\n'
assert_no_leftovers
note "lite passed"
