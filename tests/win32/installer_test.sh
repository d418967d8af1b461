#!/usr/bin/env bash
# The MSI under Wine, as a clinic's IT deploys it: a silent install with an autostart entry
# puts the programs, that edition's Start-menu entry and the import folder in place and asks
# icacls to let the Users group rewrite the selection file; the installed lumenpoll, started
# by its autostart entry, takes an image through the cycle; another build with the other
# edition replaces it; the removal by the product code of the installed build removes what
# the install put there and leaves the station's files byte for byte. Then the installs that
# must not touch the station: one without a selection file yet, one with a mistyped
# AUTOSTART, which fails, and one without AUTOSTART, which offers both editions.
#   installer_test.sh MSI REBUILT_MSI PROGRAMS_FOLDER WINDOW-PROBE.exe ARTIFACTS
# REBUILT_MSI is another build of the same version; PROGRAMS_FOLDER holds the programs as
# built, which the installed ones must equal.
[ $# -eq 5 ] ||
  { echo "usage: $0 MSI REBUILT_MSI PROGRAMS_FOLDER WINDOW-PROBE.exe ARTIFACTS" >&2; exit 2; }
readonly MSI=$1 REBUILT=$2 BUILT=$3
shift
# shellcheck source=tests/win32/install_layout.sh
source "$(dirname "$0")/install_layout.sh"
install_layout "${WINEPREFIX:?the Wine prefix of the test run}" "$(msi_platform "$MSI")"
readonly PROGRAMS_WINDOWS="C:\\$PROGRAM_FILES\\lumenpoll"  # as the shortcuts name it
installed_folder="$WINEPREFIX/drive_c/$PROGRAM_FILES/lumenpoll"
set -- wine "$installed_folder/lumenpoll.exe" "$3" "$4"
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e/e2e_lib.sh"

command -v strings >/dev/null || { echo "SKIP: strings is not installed"; exit "$SKIPPED"; }
readonly INSTALLED=$installed_folder
# Wine's msi puts the shortcuts of a per-machine package into the user's Start menu, where
# Windows puts them into the one of all users.
wine_user=$(id -un)
readonly MENU="$DRIVE/users/$wine_user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
readonly STARTUP="$MENU/StartUp"
# Wine's icacls only prints what it was asked to do; that line is what can be checked here.
readonly GRANT='"C:\\Program Files\\ImageJ\\macroset.txt" "/grant" "*S-1-5-32-545:W"'

# msiexec LOG ARGS...: Wine's msiexec with its output (icacls' line among it) in LOG, and
# without Wine's menu builder, which would copy the shortcuts into this machine's menus.
msiexec() {
  local log=$1
  shift
  WINEDEBUG=-all,fixme+icacls WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d" \
    wine msiexec "$@" </dev/null >"$log" 2>&1
}

# The registry value that says which program starts at logon, empty when there is none.
autostart_value() {
  wine reg query 'HKLM\Software\lumenpoll' /v Autostart "$REGISTRY_VIEW" 2>/dev/null | tr -d '\r' |
    awk '$1 == "Autostart" { print $3 }'
}

# Snapshot of every file of the station, by checksum, for the comparison after uninstall.
station_files() { (cd "$DRIVE" && find "Program Files/ImageJ" TOLVA -type f -print0 |
  sort -z | xargs -0 sha256sum); }

# regex_quoted TEXT: TEXT as an extended regular expression that matches it alone.
regex_quoted() { sed 's/[][\\.*^$()+?{}|]/\\&/g' <<<"$1"; }

# find_installed_program [PROGRAM]: the Windows program started by a shortcut is no child of
# this shell: found by its command line, and waited for by its process id.
find_installed_program() {
  local program=${1:-lumenpoll.exe}
  program_pid=$(pgrep -fx "$(regex_quoted "$PROGRAMS_WINDOWS\\$program")" | head -n 1)
  [ -n "$program_pid" ]
}
wait_installed_program_gone() {
  local deadline=$((SECONDS + $1))
  while program_running; do
    error_box_shown && fail "the program shows an error box instead of ending"
    [ "$SECONDS" -lt "$deadline" ] || fail "the program did not end within $1s"
    sleep 0.2
  done
  program_pid=""
}

# assert_shortcut LNK PROGRAM: LNK starts the installed PROGRAM in the programs' folder.
assert_shortcut() {
  [ -f "$1" ] || fail "no shortcut $1"
  strings -n 6 "$1" | grep -qxF "$PROGRAMS_WINDOWS\\$2" ||
    fail "$1 does not lead to $2:"$'\n'"$(strings -n 6 "$1")"
  # The folder is a counted string: its count, read as a character, may come first.
  strings -n 6 -e l "$1" | grep -qxE ".?$(regex_quoted "$PROGRAMS_WINDOWS\\")" ||
    fail "$1 does not start $2 in its folder"
}

# assert_programs_installed: the programs as built.
assert_programs_installed() {
  local program
  for program in lumenpoll.exe lumenpoll-lite.exe lumenpoll-check.exe; do
    cmp -s "$BUILT/$program" "$INSTALLED/$program" || fail "$program is not installed as built"
  done
}

# assert_edition EDITION: EDITION alone in the Start menu and at logon, and the registry says
# it starts.
assert_edition() {
  local other=lumenpoll-lite
  [ "$1" == lumenpoll ] || other=lumenpoll
  assert_shortcut "$MENU/$1.lnk" "$1.exe"
  assert_shortcut "$STARTUP/$1.lnk" "$1.exe"
  [ ! -e "$MENU/$other.lnk" ] || fail "$other is in the Start menu too"
  [ ! -e "$STARTUP/$other.lnk" ] || fail "$other starts at logon too"
  [ "$(autostart_value)" == "$1" ] || fail "the registry says autostart \"$(autostart_value)\""
}

# assert_lite_installed: the programs as built, lumenpoll-lite the station's edition.
assert_lite_installed() {
  assert_programs_installed
  assert_edition lumenpoll-lite
}

# assert_no_entries: no Start-menu or autostart entry of lumenpoll, no autostart value.
assert_no_entries() {
  local shortcut
  for shortcut in "$MENU"/lumenpoll*.lnk "$STARTUP"/lumenpoll*.lnk; do
    [ ! -e "$shortcut" ] || fail "$shortcut is left"
  done
  [ -z "$(autostart_value)" ] || fail "the autostart value is left"
}

# remove_installed_build LOG: the removal the handbook gives for whichever build is installed:
# msiexec /x with the product code of the "lumenpoll" entry in the installed programs' list.
remove_installed_build() {
  local script="$ARTIFACTS/remove-lumenpoll.bat"
  sed 's/$/\r/' >"$script" <<'BAT'
@echo off
for %%v in (32 64) do for /f "delims=" %%k in ('reg query HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall /reg:%%v') do for /f "tokens=2*" %%a in ('reg query "%%k" /v DisplayName /reg:%%v 2^>nul') do if "%%b"=="lumenpoll" msiexec /x %%~nxk /qn
BAT
  WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe=d" \
    wine cmd /c "$(winepath -w "$script")" </dev/null >"$1" 2>&1
}

# granted_once LOG: icacls was asked once in LOG to let the Users group rewrite the selection.
granted_once() { [ "$(grep -cF "$GRANT" "$1")" -eq 1 ]; }

stage_station '1 2\r\n' TIF
write_macro_list full NO
rm -rf "$DRIVE/TOLVA"  # the install makes the import folder
start_x_server

note "silent install, autostart lumenpoll"
msiexec "$ARTIFACTS/install.log" /i "$(winepath -w "$MSI")" /qn AUTOSTART=lumenpoll ||
  fail "the install failed: $(cat "$ARTIFACTS/install.log")"
for program in lumenpoll.exe lumenpoll-lite.exe lumenpoll-check.exe; do
  cmp -s "$BUILT/$program" "$INSTALLED/$program" || fail "$program is not installed as built"
done
[ -d "$IMPORT" ] || fail "no import folder after the install"
assert_edition lumenpoll
granted_once "$ARTIFACTS/install.log" ||
  fail "icacls was not asked once to grant Users write access: $(cat "$ARTIFACTS/install.log")"
# Wine's uninstall keeps an emptied import folder anyway; on Windows only the component's
# permanence keeps it.
msiinfo export "$MSI" Component | tr -d '\r' | awk -F'\t' '$1 == "ImportFolder" { print $4 }' |
  grep -qx 16 || fail "the import folder is not a permanent component"

note "the installed lumenpoll, started as at logon, takes an image through the cycle"
wine start /unix "$STARTUP/lumenpoll.lnk" </dev/null >"$ARTIFACTS/program.out" 2>&1 ||
  fail "the autostart shortcut does not start"
wait_until 30 "installed lumenpoll.exe" find_installed_program
wait_until 60 "window \"$CAPTION\"" window_shown
# The scripts inherit the program's working folder (under Wine, the process's own).
[ "$(readlink "/proc/$program_pid/cwd")" == "$INSTALLED" ] ||
  fail "the program runs in $(readlink "/proc/$program_pid/cwd")"
wait_until 20 "start-up script call" called ij_deldcm.bat ""
drop_raw shot01.NEF
wait_until 60 "delete script call for shot01" called ij_del.bat shot01
wait_until 20 "empty import folder" import_holds_only
assert_calls \
  "ij_deldcm.bat${TAB}0$TAB" \
  "ij_raw.bat${TAB}2${TAB}shot01 skull_dv_cat" \
  "wrote${TAB}1${TAB}shot01.TIF" \
  "ij_dcm.bat${TAB}1${TAB}shot01" \
  "ij_del.bat${TAB}1${TAB}shot01"
click_view_images
wait_installed_program_gone 20
assert_bytes "$IMAGEJ/macroset.txt" '1 2\r\n'
assert_no_leftovers

note "the other edition: another build with AUTOSTART=lumenpoll-lite replaces the installed one"
msiexec "$ARTIFACTS/switch.log" /i "$(winepath -w "$REBUILT")" /qn AUTOSTART=lumenpoll-lite ||
  fail "the install of the other edition failed: $(cat "$ARTIFACTS/switch.log")"
assert_lite_installed
granted_once "$ARTIFACTS/switch.log" || fail "no grant: $(cat "$ARTIFACTS/switch.log")"

note "silent uninstall of the installed build by its product code"
head -c 3000 /dev/urandom >"$IMPORT/shot02.NEF"  # an image that arrived after closing
station_files >"$ARTIFACTS/station.before"
remove_installed_build "$ARTIFACTS/uninstall.log" ||
  fail "the uninstall failed: $(cat "$ARTIFACTS/uninstall.log")"
[ ! -e "$INSTALLED" ] || fail "the uninstall leaves $(ls -A "$INSTALLED")"
assert_no_entries
! grep -qF "$GRANT" "$ARTIFACTS/uninstall.log" || fail "the uninstall runs icacls"
station_files >"$ARTIFACTS/station.after"
diff "$ARTIFACTS/station.before" "$ARTIFACTS/station.after" >&2 ||
  fail "the uninstall changed the station's files"

note "an install on a station without a selection file yet"
rm "$IMAGEJ/macroset.txt"
msiexec "$ARTIFACTS/install-lite.log" /i "$(winepath -w "$MSI")" /qn AUTOSTART=LUMENPOLL-LITE ||
  fail "the install without a selection file failed: $(cat "$ARTIFACTS/install-lite.log")"
[ ! -e "$IMAGEJ/macroset.txt" ] || fail "the install made a selection file"
! grep -qF "$GRANT" "$ARTIFACTS/install-lite.log" || fail "icacls was run on no file"
assert_edition lumenpoll-lite

note "the grant once the station's files are there: the install again, with another build"
printf '1 2\r\n' >"$IMAGEJ/macroset.txt"
msiexec "$ARTIFACTS/grant-rebuilt.log" /i "$(winepath -w "$REBUILT")" /qn ||
  fail "the grant with another build failed: $(cat "$ARTIFACTS/grant-rebuilt.log")"
assert_lite_installed
granted_once "$ARTIFACTS/grant-rebuilt.log" || fail "no grant: $(cat "$ARTIFACTS/grant-rebuilt.log")"

note "the grant with the build that is installed"
msiexec "$ARTIFACTS/grant-same.log" /i "$(winepath -w "$REBUILT")" /qn ||
  fail "the grant with the installed build failed: $(cat "$ARTIFACTS/grant-same.log")"
assert_lite_installed
granted_once "$ARTIFACTS/grant-same.log" || fail "no grant: $(cat "$ARTIFACTS/grant-same.log")"

note "REINSTALL=ALL with another build is refused, and lumenpoll stays"
if msiexec "$ARTIFACTS/reinstall.log" /i "$(winepath -w "$MSI")" /qn REINSTALL=ALL; then
  fail "REINSTALL=ALL with another build succeeded"
fi
assert_lite_installed

note "an upgrade while the installed lumenpoll-lite runs"
WINEDEBUG=-all,fixme+process wine start /unix "$STARTUP/lumenpoll-lite.lnk" </dev/null \
  >"$ARTIFACTS/program-lite.out" 2>&1 || fail "the lite autostart shortcut does not start"
wait_until 30 "installed lumenpoll-lite.exe" find_installed_program lumenpoll-lite.exe
wait_until 60 "window \"$CAPTION\"" window_shown
upgrade_status=0
msiexec "$ARTIFACTS/upgrade.log" /i "$(winepath -w "$MSI")" /qn || upgrade_status=$?
[ "$upgrade_status" -eq 0 ] || [ "$upgrade_status" -eq 3010 ] ||
  fail "the upgrade failed ($upgrade_status): $(cat "$ARTIFACTS/upgrade.log")"
assert_lite_installed
# Wine's kernel32 only traces the registration; Windows' Restart Manager acts on it.
grep -qF 'RegisterApplicationRestart (L"",3)' "$ARTIFACTS/program-lite.out" ||
  fail "the program did not register for restart: $(cat "$ARTIFACTS/program-lite.out")"
if program_running; then
  note "exit code $upgrade_status; the installer did not close the program"
  wait_until 10 "window \"$CAPTION\"" window_shown
  click_view_images
  wait_installed_program_gone 20
else
  note "exit code $upgrade_status; the installer closed the program"
fi
assert_bytes "$IMAGEJ/macroset.txt" '1 2\r\n'

msiexec "$ARTIFACTS/uninstall-lite.log" /x "$(winepath -w "$MSI")" /qn ||
  fail "the second uninstall failed: $(cat "$ARTIFACTS/uninstall-lite.log")"
assert_no_entries
[ ! -e "$INSTALLED" ] || fail "the second uninstall leaves $(ls -A "$INSTALLED")"

note "a mistyped AUTOSTART fails the install"
if msiexec "$ARTIFACTS/install-mistyped.log" /i "$(winepath -w "$MSI")" /qn AUTOSTART=yes; then
  fail "an install with AUTOSTART=yes succeeded"
fi
[ ! -e "$INSTALLED" ] || fail "the failed install left $INSTALLED"

note "without AUTOSTART both editions are in the Start menu and none starts at logon"
msiexec "$ARTIFACTS/install-both.log" /i "$(winepath -w "$MSI")" /qn ||
  fail "the install without AUTOSTART failed: $(cat "$ARTIFACTS/install-both.log")"
assert_programs_installed
assert_shortcut "$MENU/lumenpoll.lnk" lumenpoll.exe
assert_shortcut "$MENU/lumenpoll-lite.lnk" lumenpoll-lite.exe
for shortcut in "$STARTUP"/lumenpoll*.lnk; do
  [ ! -e "$shortcut" ] || fail "$shortcut starts at logon"
done
[ -z "$(autostart_value)" ] || fail "the registry says autostart \"$(autostart_value)\""

note "a mistyped AUTOSTART fails a reinstall too, and the Start menu stays"
if msiexec "$ARTIFACTS/reinstall-mistyped.log" /i "$(winepath -w "$MSI")" /qn REINSTALL=ALL \
  AUTOSTART=yes; then
  fail "a reinstall with AUTOSTART=yes succeeded"
fi
assert_shortcut "$MENU/lumenpoll.lnk" lumenpoll.exe
assert_shortcut "$MENU/lumenpoll-lite.lnk" lumenpoll-lite.exe
msiexec "$ARTIFACTS/uninstall-both.log" /x "$(winepath -w "$MSI")" /qn ||
  fail "the uninstall failed: $(cat "$ARTIFACTS/uninstall-both.log")"
assert_no_entries
note "installer passed"
