#!/usr/bin/env bash
# The full program's window: its frame and size, the saved selection read at start and shown
# in the lists, a species picked with the keyboard from the dropped-down list (the list's
# notification reaching the window, which refills the region list), and the selection
# written when "View Images" closes the window. The two text files are stored with other
# letter cases than the program names them, as a Windows station would allow.
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e_lib.sh"

stage_station '1 2\r\n' TIF
write_macro_list full NO MacroList.txt
mv "$IMAGEJ/macroset.txt" "$IMAGEJ/MacroSet.txt"
touch -d '2001-01-01 00:00' "$IMAGEJ/MacroSet.txt"
start_x_server
start_program
wait_until 20 "start-up script call" called ij_deldcm.bat ""

assert_window_frame 456x209
assert_shows cb_species Feline
assert_shows cb_region "Skull DV "

note "picking the first species with the keyboard"
xdotool mousemove --window "$window_id" 80 138 click 1  # drops cb_species down
sleep 0.5
xdotool key Up Return
wait_until 10 "Canine in the species list" shows cb_species Canine
assert_shows cb_region "Thorax LAT "

click_view_images
wait_program_exit 20
assert_bytes "$IMAGEJ/MacroSet.txt" '0 0\r\n'
[ "$IMAGEJ/MacroSet.txt" -nt "$IMAGEJ/MacroList.txt" ] ||
  fail "the selection file was not rewritten"
[ "$(find "$IMAGEJ" -iname macroset.txt | wc -l)" -eq 1 ] ||
  fail "a second selection file appeared"
assert_calls "$STARTUP_CALL"
assert_no_leftovers
note "window passed"
