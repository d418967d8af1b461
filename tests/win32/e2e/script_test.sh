#!/usr/bin/env bash
# A script that cannot be started under Wine: the box shows the system's own text for the
# shell's error code (as FormatMessageA gives it here) with one period, and the cycle goes on.
# shellcheck source=SCRIPTDIR/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"

stage_station '0 0\r\n' TIF
write_macro_list full NO
rm "$IMAGEJ/ij_deldcm.bat"
start_x_server

# ShellExecuteA gives 2 for a missing script; the box drops the text's trailing blanks,
# line end and periods and adds one period.
expected=$(probe message 2 | sed -e 's/[[:space:].]*$//')
[ -n "$expected" ] || fail "the system has no text for code 2"
expected="$expected."

start_program
wait_for_error_box 20
[ "$(error_box_texts)" == "$expected" ] || fail "box shows \"$(error_box_texts)\", not \"$expected\""
close_error_boxes

drop_raw shot01.NEF
wait_until 30 "raw script call for shot01" called ij_raw.bat "shot01 thorax_lat"
click_view_images
wait_program_exit 20
note "script passed"
