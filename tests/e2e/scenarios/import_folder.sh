#!/usr/bin/env bash
# The import folder missing at start: one box says "Invalid folder." (further scans wait
# while it is open); once the folder is back the scan resumes, takes the raw file and leaves
# a hidden raw file alone. The window's close box saves the selection.
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e_lib.sh"

stage_station '0 1\r\n' TIF
write_macro_list full NO
rmdir "$IMPORT"
start_x_server
start_program
wait_for_box 20
sleep 2.5  # ticks meanwhile must not open more boxes
assert_open_boxes "Invalid folder."

mkdir "$IMPORT"
hide_raw secret.NEF
drop_raw shot01.NEF
close_open_boxes
wait_until 30 "raw script call for shot01" called ij_raw.bat "shot01 abdomen_vd"
wait_image_done 30 shot01 "$(hidden_name secret.NEF)"
assert_calls "$STARTUP_CALL" \
  "$(image_calls shot01 abdomen_vd shot01.TIF)"

ask_window_to_close
wait_program_exit 20
assert_bytes "$IMAGEJ/macroset.txt" '0 1\r\n'
note "import_folder passed"
