#!/usr/bin/env bash
# A raw file whose name the command interpreter would act on (a&b.NEF) under Wine: it is
# never handed to a script but stays in the folder, one box says so once, and the other raw
# file is processed.
# shellcheck source=SCRIPTDIR/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"

stage_station '0 0\r\n' TIF
write_macro_list full NO
start_x_server
start_program
wait_until 20 "start-up script call" called ij_deldcm.bat ""

drop_raw 'a&b.NEF'
drop_raw shot01.NEF
wait_for_error_box 20
expected="Cannot process a&b.NEF: its name holds characters the scripts cannot take."
[ "$(error_box_texts)" == "$expected" ] || fail "boxes: $(error_box_texts)"
close_error_boxes

wait_until 30 "delete script call for shot01" called ij_del.bat shot01
wait_until 20 "import folder with a&b.NEF alone" import_holds_only 'a&b.NEF'
sleep 2.5  # later scans neither take it nor report it again
assert_calls \
  "ij_deldcm.bat${TAB}0$TAB" \
  "ij_raw.bat${TAB}2${TAB}shot01 thorax_lat" \
  "wrote${TAB}1${TAB}shot01.TIF" \
  "ij_dcm.bat${TAB}1${TAB}shot01" \
  "ij_del.bat${TAB}1${TAB}shot01"

click_view_images
wait_program_exit 20
note "unsafe name passed"
