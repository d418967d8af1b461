#!/usr/bin/env bash
# With auto-close on, the program ends by itself after one image and saves the selection.
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e_lib.sh"

stage_station '0 1\r\n' TIF
write_macro_list full YES
touch -d '2001-01-01 00:00' "$IMAGEJ/macroset.txt"
start_x_server
start_program
wait_until 20 "start-up script call" called ij_deldcm.bat ""

drop_raw shot01.NEF
wait_program_exit 90
wait_until 20 "delete script call" called ij_del.bat shot01

assert_bytes "$IMAGEJ/macroset.txt" '0 1\r\n'
[ "$IMAGEJ/macroset.txt" -nt "$IMAGEJ/macrolist.txt" ] ||
  fail "the selection file was not rewritten"
assert_no_leftovers
assert_calls "$STARTUP_CALL" \
  "$(image_calls shot01 abdomen_vd shot01.TIF)"
wait_until 20 "empty import folder" import_holds_only
note "autoclose passed"
