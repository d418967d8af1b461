#!/usr/bin/env bash
# shipped_programs_test.sh OBJDUMP WINDRES FORMAT VERSION PROGRAM.exe...: what can be seen of
# the programs without running them. Each is of FORMAT (pei-i386 for the shipped 32-bit
# build), loads no DLL but the system's (no C++ or threads runtime to ship beside it), carries
# the logo as its icon and a version resource of VERSION, and asks for no execution level
# anywhere: with one, Windows would not virtualize its writes to C:\Program Files for a
# standard account, and no close of the window could save the selection.
set -euo pipefail
readonly OBJDUMP=$1 WINDRES=$2 FORMAT=$3 VERSION=$4
# The numbers Explorer shows: major, minor, patch, 0, a part the version lacks as 0.
IFS=. read -r major minor patch _ <<<"$VERSION"
readonly NUMBERS="${major:-0}, ${minor:-0}, ${patch:-0}, 0"
shift 4
status=0
problem() { echo "$1: $2"; status=1; }

for program in "$@"; do
  name=$(basename "$program" .exe)
  headers=$("$OBJDUMP" -p "$program")
  grep -q "file format $FORMAT\$" <<<"$headers" || problem "$name" "not of format $FORMAT"
  if [ "$name" != lumenpoll-check ]; then
    grep -q "^Subsystem.*(Windows GUI)" <<<"$headers" || problem "$name" "not a GUI program"
  fi
  dlls=$(awk '/DLL Name:/ { print $3 }' <<<"$headers")
  echo "$name: ${dlls//$'\n'/ }"
  # The runtimes mingw-w64 would otherwise need beside the program.
  if grep -qiE '^(lib.*|mingwm10)\.dll$' <<<"$dlls"; then
    problem "$name" "needs $(grep -iE '^(lib.*|mingwm10)\.dll$' <<<"$dlls" | tr '\n' ' ')"
  fi

  resources=$("$WINDRES" -i "$program" -O rc 2>&1) || problem "$name" "no resources: $resources"
  grep -q "RT_GROUP_ICON" <<<"$resources" || problem "$name" "carries no icon"
  for numbers in "FILEVERSION $NUMBERS" "PRODUCTVERSION $NUMBERS"; do
    grep -qxF " $numbers" <<<"$resources" || problem "$name" "no $numbers"
  done
  for value in "\"ProductName\", \"lumenpoll\"" "\"OriginalFilename\", \"$name.exe\"" \
    "\"FileVersion\", \"$VERSION\"" "\"FileDescription\", \"lumenpoll"; do
    grep -qF "VALUE $value" <<<"$resources" || problem "$name" "no version value $value"
  done
  if grep -qa requestedExecutionLevel "$program"; then
    problem "$name" "asks for an execution level (its manifest holds requestedExecutionLevel)"
  fi
done
exit "$status"
