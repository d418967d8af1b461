#!/usr/bin/env bash
# lumenpoll-check as a process: its exit status on a ready station, a broken one, a stalled
# one and one it cannot check, and that it leaves the station as it found it. With "wine"
# last, the checker is the Windows program, run under Wine with the folders given in Windows
# spelling.
#   check_program_test.sh CHECKER DEMO_FOLDER WORK_FOLDER VERSION [wine]
set -euo pipefail
readonly CHECKER=$1 DEMO=$2 WORK=$3 VERSION=$4 RUNNER=${5:-}
fail() { echo "FAIL: $*" >&2; exit 1; }

# folder PATH: the folder as the checker spells it.
folder() { if [ "$RUNNER" == wine ]; then winepath -w "$1" 2>/dev/null; else echo "$1"; fi; }

# expect STATUS TEXT ARGS...: the checker ends with STATUS and prints TEXT.
expect() {
  local status=$1 text=$2 got=0
  shift 2
  if [ "$RUNNER" == wine ]; then
    wine "$CHECKER" "$@" 2>&1 | tr -d '\r' >"$WORK/out" || got=$?
  else
    "$CHECKER" "$@" >"$WORK/out" 2>&1 || got=$?
  fi
  [ "$got" -eq "$status" ] || fail "$* ended with $got, not $status:"$'\n'"$(cat "$WORK/out")"
  printed "$text"
}

# printed TEXT: the last run of the checker printed TEXT.
printed() {
  grep -qF -- "$1" "$WORK/out" || fail "the checker did not print \"$1\":"$'\n'"$(cat "$WORK/out")"
}

rm -rf "$WORK"
mkdir -p "$WORK"
cp -a "$DEMO/drive_c" "$WORK/ready"
cp -a "$DEMO/drive_c" "$WORK/broken"
printf 'Canine\r\n[Canine]\r\nThorax LAT thorax_lat\r\n' >"$WORK/broken/Program Files/ImageJ/macrolist.txt"
rm "$WORK/broken/Program Files/ImageJ/ij_del.bat"

state() { (cd "$WORK/ready" && find . -printf '%p %s %T@ %m\n' | sort); }
before=$(state)
expect 0 "Ready." --drive "$(folder "$WORK/ready")"
[ "$(state)" == "$before" ] || fail "the checker changed the station"
(cd "$WORK" && expect 0 "Drive C: is $(folder "$WORK/ready")" --drive=ready)

expect 1 "line 1: comes before the first species header: ignored" --drive "$(folder "$WORK/broken")"
# Under Wine the system's message is Wine's own: only the start of the line is compared.
missing_del="ij_del.bat: cannot be started: The system cannot find the file specified"
[ "$RUNNER" != wine ] || missing_del="ij_del.bat: cannot be started: "
expect 1 "$missing_del" --drive "$(folder "$WORK/broken")"

# Stalled: a processed image left from before beside a raw file of its name, and a copy of
# the selection in an account's VirtualStore.
cp -a "$DEMO/drive_c" "$WORK/stalled"
printf 'raw' >"$WORK/stalled/TOLVA/import/DSC_0001.NEF"
printf 'earlier' >"$WORK/stalled/TOLVA/import/dsc_0001.TIF"
printf 'raw' >"$WORK/stalled/TOLVA/import/DSC_0002.NEF"
store="$WORK/stalled/Users/anna/AppData/Local/VirtualStore/Program Files/ImageJ"
mkdir -p "$store"
printf '1 0\r\n' >"$store/macroset.txt"
expect 1 '"DSC_0001.NEF": dsc_0001.TIF beside it is left from before: the program takes the raw file but waits until the raw script replaces dsc_0001.TIF' \
  --drive "$(folder "$WORK/stalled")"
printed '"DSC_0002.NEF": taken as soon as the program scans'
printed "C:\\Users\\anna\\AppData\\Local\\VirtualStore\\program files\\imagej\\macroset.txt: anna's window reads and saves the selection here instead of in c:\\program files\\imagej\\macroset.txt; the real one differs"
printed "Needs attention: 2 findings."

expect 2 "no such folder to stand for drive C:" --drive "$(folder "$WORK/none")"
expect 2 "unknown argument" --drive "$(folder "$WORK/ready")" extra
expect 0 "Usage: lumenpoll-check" --help
expect 0 "lumenpoll-check $VERSION" --version
echo "check.program passed"
