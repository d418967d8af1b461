#!/usr/bin/env bash
# A raw file whose name makes its path longer than the station's calls take (on Windows 260
# characters, C:\TOLVA\import\ included) is reported once, with the system's message, and
# stays; the images beside it go on, one whose path is just short of that among them. Where
# such paths open (Linux) it is processed as any other.
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e_lib.sh"

readonly PREFIX='C:\TOLVA\import\'
short=$(head -c 236 /dev/zero | tr '\0' a)
long=$(head -c 246 /dev/zero | tr '\0' b)
readonly short long

# Its name would leave no room for drop_raw's temporary one: moved in from beside the folder.
drop_long_raw() {
  head -c 3000 /dev/urandom >"$DRIVE/TOLVA/incoming"
  mv "$DRIVE/TOLVA/incoming" "$IMPORT/$1"
  note "dropped a raw file of ${#1} characters"
}

both_done() { called ij_del.bat "$short" && called ij_del.bat "$long"; }

stage_station '0 0\r\n' TIF
write_macro_list full NO
start_x_server
start_program
wait_until 20 "start-up script call" called ij_deldcm.bat ""

drop_long_raw "$long.NEF"
drop_long_raw "$short.NEF"
if [ $((${#PREFIX} + ${#long} + 4)) -gt "$LONGEST_STATION_PATH" ]; then
  expect_box 30 "Cannot read $long.NEF: $(system_error_text 206)"
  wait_image_done 60 "$short" "$long.NEF"
  called ij_raw.bat "$long thorax_lat" && fail "the raw file of the long name was processed"
else
  wait_until 120 "both images through the cycle" both_done
  wait_until 20 "an empty import folder" import_holds_only
fi
box_open && fail "a box opened again: $(open_box_texts)"

click_view_images
wait_program_exit 20
note "long_names passed"
