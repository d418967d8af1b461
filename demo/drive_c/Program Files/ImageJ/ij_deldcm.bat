#!/bin/sh
# Start-up script: ij_deldcm.bat (no arguments)
# Clears what an earlier session left half done: the work folder, half-written files, and
# processed images (.TIF, .DCM) in the import folder whose cycle never ended. Raw files stay:
# lumenpoll takes them up again.
# shellcheck source=SCRIPTDIR/station.sh
. "$(dirname "$0")/station.sh"
log "$script${*:+ $*}"

rm -f "$work"/* "$import"/.*.part "$export_dir"/.*.part
for f in "$import"/*; do
  case $(upper "${f##*.}") in TIF | DCM) rm -f "$f" ;; esac
done
