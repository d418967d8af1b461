#!/usr/bin/env bash
# The full program's window: caption and size, the saved selection read at start and written
# back unchanged when "View Images" closes the window. The two text files are stored with
# other letter cases than the program names them, as a Windows station would allow.
# shellcheck source=SCRIPTDIR/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"

stage_station '1 0\r\n' TIF ""
write_macro_list full NO MacroList.txt
mv "$IMAGEJ/macroset.txt" "$IMAGEJ/MacroSet.txt"
touch -d '2001-01-01 00:00' "$IMAGEJ/MacroSet.txt"
start_x_server
start_program

size=$(window_size)
[ "$size" == 456x209 ] || fail "window is $size, expected 456x209"
wait_until 20 "start-up script call" called ij_deldcm.bat ""

click_view_images
wait_program_exit 20
assert_bytes "$IMAGEJ/MacroSet.txt" '1 0\r\n'
[ "$IMAGEJ/MacroSet.txt" -nt "$IMAGEJ/MacroList.txt" ] ||
  fail "the selection file was not rewritten"
[ "$(find "$IMAGEJ" -iname macroset.txt | wc -l)" -eq 1 ] ||
  fail "a second selection file appeared"
assert_calls "ij_deldcm.bat${TAB}0$TAB"
assert_no_leftovers
note "window passed"
