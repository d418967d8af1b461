#!/usr/bin/env bash
# The import folder missing under Wine: one box captioned with the application title says
# "Invalid folder." (further scans wait while it is open); once the folder is back the scan
# resumes, takes the raw file and leaves a hidden (attrib +h) raw file alone. The close box
# saves the selection.
# shellcheck source=SCRIPTDIR/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"

stage_station '0 1\r\n' TIF
write_macro_list full NO
rmdir "$IMPORT"
start_x_server
start_program
wait_for_error_box 20
sleep 2.5  # ticks meanwhile must not open more boxes
[ "$(error_box_texts)" == "Invalid folder." ] || fail "boxes: $(error_box_texts)"

mkdir "$IMPORT"
hide_raw secret.NEF
drop_raw shot01.NEF
close_error_boxes
wait_until 30 "raw script call for shot01" called ij_raw.bat "shot01 abdomen_vd"
wait_until 30 "delete script call for shot01" called ij_del.bat shot01
wait_until 20 "import folder with the hidden file alone" import_holds_only secret.NEF
sleep 2.5
called ij_raw.bat "secret abdomen_vd" && fail "the hidden raw file was processed"

probe close "$CAPTION" >/dev/null
wait_program_exit 20
assert_bytes "$IMAGEJ/macroset.txt" '0 1\r\n'
note "folder passed"
