#!/usr/bin/env bash
# Two raw files through the full program's cycle under Wine: the .bat scripts run in order
# with the base name and the macro argument of the saved selection, the status lines end on
# the last image, the import folder is left empty, and the selection is saved unchanged.
# shellcheck source=SCRIPTDIR/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"

stage_station '1 2\r\n' TIF
write_macro_list full NO
start_x_server
start_program
wait_until 20 "start-up script call" called ij_deldcm.bat ""

drop_raw shot01.NEF
wait_until 60 "raw script call for shot01" called ij_raw.bat "shot01 skull_dv_cat"
drop_raw shot02.nef
wait_until 90 "delete script call for shot02" called ij_del.bat shot02
wait_until 20 "empty import folder" import_holds_only
sleep 2.5  # a raw file left behind would be taken up again by the next scans

assert_calls \
  "ij_deldcm.bat${TAB}0$TAB" \
  "ij_raw.bat${TAB}2${TAB}shot01 skull_dv_cat" \
  "wrote${TAB}1${TAB}shot01.TIF" \
  "ij_dcm.bat${TAB}1${TAB}shot01" \
  "ij_del.bat${TAB}1${TAB}shot01" \
  "ij_raw.bat${TAB}2${TAB}shot02 skull_dv_cat" \
  "wrote${TAB}1${TAB}shot02.TIF" \
  "ij_dcm.bat${TAB}1${TAB}shot02" \
  "ij_del.bat${TAB}1${TAB}shot02"
description=$(probe window "$CAPTION")
grep -q " Waiting for Image File$" <<<"$description" || fail "no waiting status:"$'\n'"$description"
grep -q " Processed shot02.dcm$" <<<"$description" || fail "no last operation:"$'\n'"$description"

click_view_images
wait_program_exit 20
assert_bytes "$IMAGEJ/macroset.txt" '1 2\r\n'
note "cycle passed"
