#!/usr/bin/env bash
# shipped_installer_test.sh INSTALLER.msi PLATFORM PROGRAM.exe...: what can be seen of the
# installer without running it: its platform (Intel for the shipped 32-bit one) and
# that it carries exactly the programs built beside it, byte for byte in size.
set -euo pipefail
readonly MSI=$1 TEMPLATE="$2;1033"
shift 2
status=0
template=$(msiinfo suminfo "$MSI" | tr -d '\r' | sed -n 's/^Template: //p')
[ "$template" == "$TEMPLATE" ] || { echo "$MSI: template $template, not $TEMPLATE"; status=1; }
files=$(msiinfo export "$MSI" File | tr -d '\r' | tail -n +4)
for program in "$@"; do
  name=$(basename "$program")
  size=$(awk -F'\t' -v n="$name" '$3 == n { print $4 }' <<<"$files")
  [ "$size" == "$(stat -c %s "$program")" ] ||
    { echo "$MSI: $name is ${size:-missing}, the built one $(stat -c %s "$program") bytes"; status=1; }
done
exit "$status"
