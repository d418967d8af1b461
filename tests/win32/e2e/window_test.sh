#!/usr/bin/env bash
# The full program's window under Wine: class, frame, size, title and task-bar caption, the
# saved selection shown at start, a species picked with the keyboard (the drop-down's
# notification reaching the window), and the selection written back when "View Images"
# closes the window.
# shellcheck source=SCRIPTDIR/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"

stage_station '1 2\r\n' TIF
write_macro_list full NO
start_x_server
start_program
wait_until 20 "start-up script call" called ij_deldcm.bat ""

assert_window_shows "class=TForm1" "client=456x209" "topmost=1" "dialog_frame=1" \
  "taskbar=$ERROR_CAPTION" "centred=1"
description=$(probe window "$CAPTION")
grep -q "^control ComboBox .* Feline$" <<<"$description" || fail "species not restored"
grep -q "^control ComboBox .* Skull DV $" <<<"$description" || fail "region not restored"

note "picking the first species with the keyboard"
xdotool mousemove --window "$window_id" 80 138 click 1  # drops cb_species down
sleep 0.5
xdotool key Up Return
sleep 0.5
description=$(probe window "$CAPTION")
grep -q "^control ComboBox .* Canine$" <<<"$description" || fail "the species was not picked"
grep -q "^control ComboBox .* Thorax LAT $" <<<"$description" ||
  fail "the region list was not refilled for the picked species:"$'\n'"$description"

click_view_images
wait_program_exit 20
assert_bytes "$IMAGEJ/macroset.txt" '0 0\r\n'
assert_calls "ij_deldcm.bat${TAB}0$TAB"
note "window passed"
