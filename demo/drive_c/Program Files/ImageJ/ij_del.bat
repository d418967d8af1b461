#!/bin/sh
# Clean-up script: ij_del.bat <base name>
# Deletes the working files of <base>: the raw file and the processed image (.TIF, or .DCM
# on a lite station) in the import folder, and whatever the work folder holds of it.
# shellcheck source=SCRIPTDIR/station.sh
. "$(dirname "$0")/station.sh"
log "$script${*:+ $*}"
[ $# -eq 1 ] || fail "expected a base name, got $# arguments"
base=$1

for ext in NEF TIF DCM; do
  while f=$(found_in_import "$base" "$ext"); do rm -f "$f" || fail "cannot delete $f"; done
done
rm -f "$work/$(work_name "$base")".*
