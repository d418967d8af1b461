#!/usr/bin/env bash
# While an error box is open, a close of the program from its task-bar button is not taken:
# the box is answered first. When the session ends the program goes whatever is on screen:
# one case per kind of box open at that moment, and the selection that cannot be written.
# It saves the selection if it can, shows no box about anything, and a raw file in progress
# stays in the import folder for the next start.
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e_lib.sh"

# session_ends_under REASON BOX: the one open box says BOX; the session ends for REASON
# (logoff, shutdown, closeapp), and the program with it, with no other box meanwhile.
session_ends_under() {
  wait_for_box 20
  assert_open_boxes "$2"
  end_the_session "$1"
  BOXES_ALLOWED=1 wait_program_exit 10
  note "$1 ended it under \"$2\""
}

start_x_server

note "a script that cannot start; first a close from the task bar"
stage_station '1 2\r\n' TIF
write_macro_list full NO
rm "$IMAGEJ/ij_deldcm.bat"
touch -d '2001-01-01 00:00' "$IMAGEJ/macroset.txt"
start_program
wait_for_box 20
close_from_task_bar
sleep 3
program_running || fail "a close from the task bar ended the program under its error box"
window_shown || fail "a close from the task bar closed the window under its error box"
[ ! "$IMAGEJ/macroset.txt" -nt "$IMAGEJ/macrolist.txt" ] || fail "the selection was saved"
session_ends_under logoff "$(system_error_text 2)"
assert_bytes "$IMAGEJ/macroset.txt" '1 2\r\n'
[ "$IMAGEJ/macroset.txt" -nt "$IMAGEJ/macrolist.txt" ] ||
  fail "the selection was not saved when the session ended"

note "the start-up box: no macro list"
stage_station '1 2\r\n' TIF
start_program
session_ends_under shutdown "File not found."

note "the box of a failed close, the selection a folder"
stage_station '' TIF
write_macro_list full NO
rm "$IMAGEJ/macroset.txt"
mkdir "$IMAGEJ/macroset.txt"
start_program
expect_box 20 "File access denied."  # it cannot be read either
click_view_images
session_ends_under closeapp "File access denied."
[ -d "$IMAGEJ/macroset.txt" ] || fail "the selection's folder is gone"

note "a selection that cannot be written, no box open, an image in progress"
printf 'processed=none\n' >"$IMAGEJ/stand_in.conf"  # its processed image never comes
start_program
expect_box 20 "File access denied."
wait_until 20 "start-up script call" called ij_deldcm.bat ""
drop_raw shot01.NEF
wait_until 20 "stage 2 of shot01" shows la_fname "Processing shot01.nef 2"
end_the_session shutdown
wait_program_exit 10
import_holds_only shot01.NEF shot01.none || import_holds_only shot01.NEF ||
  fail "the raw file of the image in progress did not stay"

note "a refused name"
stage_station '1 2\r\n' TIF
write_macro_list full NO
drop_raw 'a&b.NEF'
start_program
session_ends_under logoff "Cannot process a&b.NEF: its name holds characters the scripts cannot take."
assert_bytes "$IMAGEJ/macroset.txt" '1 2\r\n'

note "\"Invalid folder\""
stage_station '1 2\r\n' TIF
write_macro_list full NO
rmdir "$IMPORT"
start_program
session_ends_under closeapp "Invalid folder."
note "session_end passed"
