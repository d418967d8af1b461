#!/bin/sh
# Raw script of a lite station: ij_raw.bat <base name> <macro argument>
# Processes the raw file <base>.NEF of the import folder with the ImageJ macro
# <macro argument>.ijm and makes the DICOM file itself: <base>.DCM in the import folder is
# what lumenpoll-lite waits for.
# station.sh comes from the full station, which this one is laid over.
# shellcheck source=/dev/null
. "$(dirname "$0")/station.sh"
log "$script${*:+ $*}"
process_raw "$@"
make_dicom "$base" "$work/$name.dcm"
publish "$work/$name.dcm" "$import/$base.DCM" || fail "cannot put $base.DCM into $import"
