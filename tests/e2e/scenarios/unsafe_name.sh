#!/usr/bin/env bash
# A raw file whose name the command interpreter would act on (a&b.NEF) is never handed to a
# script but stays in the folder, and one box says so once. The operator leaves that box
# open: the next raw file goes through the whole cycle meanwhile, with its stage texts, and
# a name refused meanwhile (my shot.NEF) is said in a box of its own once the first is shut.
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e_lib.sh"

readonly REFUSED_AMPERSAND="Cannot process a&b.NEF: its name holds characters the scripts cannot take."
readonly REFUSED_BLANK="Cannot process my shot.NEF: its name holds characters the scripts cannot take."

stage_station '0 0\r\n' TIF
write_macro_list full NO
start_x_server
start_program
wait_until 20 "start-up script call" called ij_deldcm.bat ""

drop_raw 'a&b.NEF'
wait_for_box 20
assert_open_boxes "$REFUSED_AMPERSAND"
first_box=$(open_boxes | cut -f1)

drop_raw shot01.NEF
BOXES_ALLOWED=1 wait_until 60 "stage 4 of shot01 under the open box" \
  shows la_fname "Processing shot01.nef 4"
drop_raw 'my shot.NEF'
BOXES_ALLOWED=1 wait_image_done 60 shot01 'a&b.NEF' 'my shot.NEF'
assert_shows la_last "Processed shot01.dcm"
assert_open_boxes "$REFUSED_AMPERSAND"

close_box_and_wait "$first_box"
expect_box 20 "$REFUSED_BLANK"
sleep 3  # later scans neither take them nor report them again
box_open && fail "a refused name was reported twice: $(open_box_texts)"
assert_calls "$STARTUP_CALL" "$(image_calls shot01 thorax_lat shot01.TIF)"

click_view_images
wait_program_exit 20
note "unsafe_name passed"
