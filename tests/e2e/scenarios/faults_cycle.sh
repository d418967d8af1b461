#!/usr/bin/env bash
# Faults a station meets while the full program runs, each followed by an image that must
# still go through: the start-up script missing (the box gives the system's own text for
# the error), the import folder gone and back while the processed image is awaited, the raw
# script missing and put back, and one raw file among 10,000 other entries.
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e_lib.sh"

stage_station '0 0\r\n' TIF
write_macro_list full NO
rm "$IMAGEJ/ij_deldcm.bat"
start_x_server
NOT_FOUND=$(system_error_text 2)
readonly NOT_FOUND

note "the start-up script is missing"
start_program
expect_box 20 "$NOT_FOUND"

note "the import folder goes away while the processed image is awaited, then comes back"
printf 'raw_delay=12\n' >>"$IMAGEJ/stand_in.conf"
drop_raw shot01.NEF
wait_until 30 "raw script call for shot01" called ij_raw.bat "shot01 thorax_lat"
mv "$IMPORT" "$IMPORT.away"
expect_box 10 "Invalid folder."
expect_box 10 "Invalid folder."  # every scan fails again, one box at a time
mv "$IMPORT.away" "$IMPORT"
TOLERATED_BOX="Invalid folder."  # a scan may have failed just before the folder came back
wait_image_done 60 shot01
TOLERATED_BOX=""
sed -i '/^raw_delay=/d' "$IMAGEJ/stand_in.conf"

note "the raw script is missing, then put back: the raw file is tried again, not lost"
mv "$IMAGEJ/ij_raw.bat" "$ARTIFACTS/ij_raw.bat.away"
drop_raw shot02.NEF
expect_box 20 "$NOT_FOUND"
expect_box 10 "$NOT_FOUND"
mv "$ARTIFACTS/ij_raw.bat.away" "$IMAGEJ/ij_raw.bat"
TOLERATED_BOX="$NOT_FOUND"
wait_image_done 60 shot02
TOLERATED_BOX=""

note "one raw file among 10,000 other entries"
(cd "$IMPORT" && seq -f 'IMG_%05g.JPG' 1 10000 | xargs touch)
drop_raw shot03.NEF
wait_until 90 "delete script call for shot03" called ij_del.bat shot03
sleep 2.5  # a raw file left behind would be taken up again by the next scans
left=$(find "$IMPORT" -mindepth 1 | wc -l)
[ "$left" -eq 10000 ] || fail "$left entries left in the import folder, expected the 10000 others"

assert_calls "$(image_calls shot01 thorax_lat shot01.TIF)" \
  "$(image_calls shot02 thorax_lat shot02.TIF)" \
  "$(image_calls shot03 thorax_lat shot03.TIF)"

click_view_images
wait_program_exit 20
assert_bytes "$IMAGEJ/macroset.txt" '0 0\r\n'
note "faults_cycle passed"
