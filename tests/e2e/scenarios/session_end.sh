#!/usr/bin/env bash
# While an error box is open, a close of the program from its task-bar button is not taken:
# the box is answered first. When the session ends, with the box still open, the selection
# is saved as a close saves it, no box is shown about it, and the program ends.
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e_lib.sh"

stage_station '1 2\r\n' TIF
write_macro_list full NO
rm "$IMAGEJ/ij_deldcm.bat"  # its box stays open
touch -d '2001-01-01 00:00' "$IMAGEJ/macroset.txt"
start_x_server
start_program
wait_for_box 20

close_from_task_bar
sleep 3
program_running || fail "a close from the task bar ended the program under its error box"
window_shown || fail "a close from the task bar closed the window under its error box"
[ ! "$IMAGEJ/macroset.txt" -nt "$IMAGEJ/macrolist.txt" ] || fail "the selection was saved"

end_the_session
BOXES_ALLOWED=1 wait_program_exit 20
assert_bytes "$IMAGEJ/macroset.txt" '1 2\r\n'
[ "$IMAGEJ/macroset.txt" -nt "$IMAGEJ/macrolist.txt" ] ||
  fail "the selection was not saved when the session ended"
note "session_end passed"
