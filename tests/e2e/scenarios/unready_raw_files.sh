#!/usr/bin/env bash
# Raw files that are not ready yet are not taken, and the others go on meanwhile: one that a
# writer still holds open (Windows: a copy sets the full size first and writes into it)
# waits without a word until the writer lets go; one this account cannot read is reported
# once, with the system's message, and taken once it can be read. Each part runs where the
# platform has what it needs.
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e_lib.sh"

stage_station '0 0\r\n' TIF
write_macro_list full NO
head -c 3000 /dev/urandom >"$IMPORT/held.NEF"
head -c 3000 /dev/urandom >"$IMPORT/locked.NEF"
start_x_server  # first: it ends every Wine process
holds=false
if hold_for_writing held.NEF 30; then holds=true; else rm "$IMPORT/held.NEF"; fi
locks=false
if make_unreadable locked.NEF; then locks=true; else rm "$IMPORT/locked.NEF"; fi
$holds || $locks || { echo "SKIP: this platform can neither hold nor lock a file"; exit "$SKIPPED"; }
WITHOUT_OVERRIDING_PERMISSIONS=1 start_program
if $locks; then expect_box 20 "Cannot read locked.NEF: Access is denied."; fi

drop_raw shot01.NEF
waiting=(shot01.NEF)
$holds && waiting+=(held.NEF)
$locks && waiting+=(locked.NEF)
wait_image_done 60 shot01 "${waiting[@]:1}"
if $holds; then
  called ij_raw.bat "held thorax_lat" && fail "a raw file still held by its writer was taken"
  wait_image_done 60 held "${waiting[@]:2}"
fi
if $locks; then
  chmod 644 "$IMPORT/locked.NEF"
  wait_image_done 60 locked
fi
box_open && fail "a box opened again: $(open_box_texts)"

click_view_images
wait_program_exit 20
note "unready_raw_files passed"
