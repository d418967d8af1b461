#!/bin/sh
# Raw script: ij_raw.bat <base name> <macro argument>
# Processes the raw file <base>.NEF of the import folder with the ImageJ macro
# <macro argument>.ijm and puts the processed image <base>.TIF into the import folder,
# which is what lumenpoll waits for. The JPEG the DICOM script needs stays in the work folder.
# shellcheck source=SCRIPTDIR/station.sh
. "$(dirname "$0")/station.sh"
log "$script${*:+ $*}"
process_raw "$@"
publish "$work/$name.tif" "$import/$base.TIF" || fail "cannot put $base.TIF into $import"
