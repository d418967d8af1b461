#!/usr/bin/env bash
# Faults of the station under Wine that reach the Windows adapters: the macro list missing
# (the file system's code), a macro list of one line of a megabyte (the window's controls
# are given no text too long to show), and one raw file among 10,000 other entries listed
# through the shell namespace. The program stays responsive: the raw file goes through.
# shellcheck source=SCRIPTDIR/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"

stage_station '0 0\r\n' TIF
start_x_server

note "macro list missing"
start_program
wait_for_error_box 20
[ "$(error_box_texts)" == "File not found." ] ||
  fail "box shows \"$(error_box_texts)\", not \"File not found.\""
close_error_boxes
click_view_images
wait_program_exit 20
assert_bytes "$IMAGEJ/macroset.txt" '-1 -1\r\n'

note "one line of a megabyte, and one raw file among 10,000 other entries"
{ printf '['; head -c $((1 << 20)) /dev/zero | tr '\0' A; printf ']'; } >"$IMAGEJ/macrolist.txt"
(cd "$IMPORT" && seq -f 'IMG_%05g.JPG' 1 10000 | xargs touch)
: >"$CALLS"
start_program
wait_until 30 "start-up script call" called ij_deldcm.bat ""
drop_raw shot01.NEF
wait_until 90 "delete script call for shot01" called ij_del.bat shot01
left=$(find "$IMPORT" -mindepth 1 | wc -l)
[ "$left" -eq 10000 ] || fail "$left entries left in the import folder, expected the 10000 others"
# No species was read from the file, so the macro argument is empty.
tr -d '\r' <"$CALLS" | cut -f1,3 | grep -q "^ij_raw.bat${TAB}shot01 *\$" ||
  fail "the raw script did not get shot01 alone"
click_view_images
wait_program_exit 20
note "faults passed"
