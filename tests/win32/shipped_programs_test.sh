#!/usr/bin/env bash
# standalone_test.sh OBJDUMP PROGRAM.exe...: each program is a GUI-subsystem program that
# loads no DLL but the system's (no C++ or threads runtime to ship beside it).
set -euo pipefail
objdump=$1
shift
status=0
for program in "$@"; do
  headers=$("$objdump" -p "$program")
  grep -q "^Subsystem.*(Windows GUI)" <<<"$headers" || { echo "$program: not a GUI program"; status=1; }
  dlls=$(awk '/DLL Name:/ { print $3 }' <<<"$headers")
  echo "$(basename "$program"): ${dlls//$'\n'/ }"
  # The runtimes mingw-w64 would otherwise need beside the program.
  if grep -qiE '^(lib.*|mingwm10)\.dll$' <<<"$dlls"; then
    echo "$program: needs $(grep -iE '^(lib.*|mingwm10)\.dll$' <<<"$dlls" | tr '\n' ' ')"
    status=1
  fi
done
exit "$status"
