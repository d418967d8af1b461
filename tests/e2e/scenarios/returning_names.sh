#!/usr/bin/env bash
# Names that come back, and names that differ only in case (a Linux folder), each an exposure
# of its own: a raw file written again under a name whose delete ended while another image
# was in progress is processed after it; two names that differ in case are processed in turn;
# a raw file its delete left behind is not processed again, and after a minute one box says so.
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e_lib.sh"

stage_station '0 0\r\n' TIF
write_macro_list full NO
printf 'del_fails_held01=1\ndel_delay_cam01=12\nraw_delay_cam02=20\n' >>"$IMAGEJ/stand_in.conf"
start_x_server
start_program

note "a delete that fails leaves its raw file; the minute runs while the next images go"
drop_raw held01.NEF
wait_until 30 "delete script call for held01" called ij_del.bat held01
held_since=$SECONDS

note "two names that differ only in case"
drop_raw SHOT7.NEF
drop_raw shot7.NEF
wait_until 40 "delete script calls for both" \
  eval 'called ij_del.bat SHOT7 && called ij_del.bat shot7'
wait_until 20 "import folder holding only held01's files" import_holds_only held01.NEF held01.TIF

note "the box about held01.NEF, a minute after its delete"
expect_box $((90 - (SECONDS - held_since))) \
  "held01.NEF is still in the import folder after its delete; it is not processed again. Delete it once its DICOM file is filed, or restart lumenpoll to process it again."
rm "$IMPORT/held01.NEF" "$IMPORT/held01.TIF"

note "cam01 comes back while cam02 is in progress"
drop_raw cam01.NEF
wait_until 30 "delete script call for cam01" called ij_del.bat cam01
drop_raw cam02.NEF
wait_until 30 "cam01's slow delete" eval '[ ! -e "$IMPORT/cam01.NEF" ]'
drop_raw cam01.NEF
wait_until 60 "raw script call for cam02" called ij_raw.bat "cam02 thorax_lat"
wait_image_done 90 cam02 cam01.NEF
deletes_of_cam01() { [ "$(logged_calls | cut -f1,3 | grep -cxF "ij_del.bat${TAB}cam01")" -eq "$1" ]; }
wait_until 60 "the new cam01's delete script call" deletes_of_cam01 2
wait_until 30 "an empty import folder" import_holds_only

twins_in_order() {
  [ "$(logged_calls | cut -f1-3 | sed -n "$1")" == "$(printf '%s\n' "$2" "$3")" ]
}
twins=$(image_calls shot7 thorax_lat shot7.TIF) TWINS=$(image_calls SHOT7 thorax_lat SHOT7.TIF)
twins_in_order 6,13p "$twins" "$TWINS" || twins_in_order 6,13p "$TWINS" "$twins" ||
  fail "the twins' calls are not two whole cycles:"$'\n'"$(logged_calls)"
assert_calls "$STARTUP_CALL" \
  "ij_raw.bat${TAB}2${TAB}held01 thorax_lat" "wrote${TAB}1${TAB}held01.TIF" \
  "ij_dcm.bat${TAB}1${TAB}held01" "ij_del.bat${TAB}1${TAB}held01" \
  "$(logged_calls | cut -f1-3 | sed -n 6,13p)" \
  "$(image_calls cam01 thorax_lat cam01.TIF)" "$(image_calls cam02 thorax_lat cam02.TIF)" \
  "$(image_calls cam01 thorax_lat cam01.TIF)"

click_view_images
wait_program_exit 20
note "returning_names passed"
