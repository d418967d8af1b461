#!/usr/bin/env bash
# A raw file whose name the command interpreter would act on (a&b.NEF): it is never handed
# to a script but stays in the folder, one box says so once, and the other raw file is
# processed.
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e_lib.sh"

stage_station '0 0\r\n' TIF
write_macro_list full NO
start_x_server
start_program
wait_until 20 "start-up script call" called ij_deldcm.bat ""

drop_raw 'a&b.NEF'
drop_raw shot01.NEF
expect_box 20 "Cannot process a&b.NEF: its name holds characters the scripts cannot take."

wait_image_done 30 shot01 'a&b.NEF'  # later scans neither take it nor report it again
assert_calls "$STARTUP_CALL" \
  "$(image_calls shot01 thorax_lat shot01.TIF)"

click_view_images
wait_program_exit 20
note "unsafe_name passed"
