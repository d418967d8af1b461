#!/usr/bin/env bash
# A processed image left in the import folder by an earlier exposure of the same name (camera
# counters wrap; a delete may leave it) is not taken for the new one: the DICOM script runs
# only once the raw script has written the new image over it, and the new raw file is
# deleted only after that.
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e_lib.sh"

stage_station '0 0\r\n' TIF
write_macro_list full NO
printf 'raw_delay=6\n' >>"$IMAGEJ/stand_in.conf"
echo "an earlier exposure" >"$IMPORT/shot01.TIF"
start_x_server
start_program

drop_raw shot01.NEF
wait_image_done 60 shot01
# The stand-in logs its write before the file appears: the DICOM script came after it.
assert_calls "$STARTUP_CALL" "$(image_calls shot01 thorax_lat shot01.TIF)"
assert_shows la_last "Processed shot01.dcm"

click_view_images
wait_program_exit 20
note "earlier_image passed"
