#!/usr/bin/env bash
# The lite program under Wine: the narrow window; a .DCM file from the raw script ends the
# wait; auto-close ends the program after the first image, with the selection saved.
# shellcheck source=SCRIPTDIR/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"

stage_station '1 1\r\n' DCM
write_macro_list lite YES
start_x_server
start_program
assert_window_shows "class=TForm1" "client=304x209" "taskbar=$ERROR_CAPTION"
wait_until 20 "start-up script call" called ij_deldcm.bat ""

drop_raw shot01.NEF
wait_program_exit 60
assert_calls \
  "ij_deldcm.bat${TAB}0$TAB" \
  "ij_raw.bat${TAB}2${TAB}shot01 pelvis_vd_cat" \
  "wrote${TAB}1${TAB}shot01.DCM" \
  "ij_dcm.bat${TAB}1${TAB}shot01" \
  "ij_del.bat${TAB}1${TAB}shot01"
assert_bytes "$IMAGEJ/macroset.txt" '1 1\r\n'
note "lite passed"
