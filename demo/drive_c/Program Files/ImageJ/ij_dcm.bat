#!/bin/sh
# DICOM script: ij_dcm.bat <base name>
# Makes <base>.dcm in the export folder from the processed image of <base>, with dcmtk.
# shellcheck source=SCRIPTDIR/station.sh
. "$(dirname "$0")/station.sh"
log "$script${*:+ $*}"
[ $# -eq 1 ] || fail "expected a base name, got $# arguments"
base=$1
mkdir -p "$export_dir" || fail "cannot make $export_dir"

make_dicom "$base" "$export_dir/.$base.dcm.part"
publish "$export_dir/.$base.dcm.part" "$export_dir/$base.dcm" ||
  fail "cannot put $base.dcm into $export_dir"
