#!/usr/bin/env bash
# Names in the station's code page (here Windows-1251, Cyrillic): a raw file named in it is
# processed under that spelling, and one whose name holds a character it lacks (a Greek
# letter) is refused with the box of the names the scripts cannot take, once, with "?" where
# the character is. Windows only: a Linux name is bytes.
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e_lib.sh"

# Wine takes the ANSI code page from LC_ALL; every Wine program of this scenario runs in it.
# It reads the Linux file names in that locale's character set, so the locale is made here.
readonly LOCALES="$ARTIFACTS/locales"
mkdir -p "$LOCALES"
localedef -i ru_RU -f UTF-8 "$LOCALES/ru_RU.UTF-8" >/dev/null 2>&1 ||
  { echo "SKIP: no Russian locale to make (Debian's locales package)"; exit "$SKIPPED"; }
export LOCPATH=$LOCALES LC_ALL=ru_RU.UTF-8
in_cp1251() { iconv -f utf-8 -t cp1251 <<<"$1"; }

stage_station '0 0\r\n' TIF
write_macro_list full NO
start_x_server
start_program
wait_until 20 "start-up script call" called ij_deldcm.bat ""

drop_raw 'Ωmega.NEF'
expect_box 20 "Cannot process ?mega.NEF: its name holds characters the scripts cannot take."
drop_raw 'Жучка.NEF'
wait_until 60 "the import folder holding only the refused name" import_holds_only 'Ωmega.NEF'
wait_until 20 "the last operation" shows la_last "$(in_cp1251 'Processed Жучка.dcm')"
sleep 2.5
box_open && fail "another box: $(open_box_texts)"
[ "$(logged_calls | cut -f1 | tr '\n' ' ')" == "ij_deldcm.bat ij_raw.bat wrote ij_dcm.bat ij_del.bat " ] ||
  fail "the scripts ran otherwise:"$'\n'"$(logged_calls)"

click_view_images
wait_program_exit 20
note "code_page passed"
