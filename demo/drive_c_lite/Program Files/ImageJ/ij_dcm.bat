#!/bin/sh
# DICOM script of a lite station: ij_dcm.bat <base name>
# The raw script has made <base>.DCM in the import folder; this puts a copy into the export
# folder as <base>.dcm before the clean-up script deletes the import folder's one.
# station.sh comes from the full station, which this one is laid over.
# shellcheck source=/dev/null
. "$(dirname "$0")/station.sh"
log "$script${*:+ $*}"
[ $# -eq 1 ] || fail "expected a base name, got $# arguments"
base=$1
dcm=$(found_in_import "$base" DCM) || fail "no DICOM file $base.DCM in $import"
mkdir -p "$export_dir" || fail "cannot make $export_dir"

cp "$dcm" "$export_dir/.$base.dcm.part" || fail "cannot copy $dcm into $export_dir"
publish "$export_dir/.$base.dcm.part" "$export_dir/$base.dcm" ||
  fail "cannot put $base.dcm into $export_dir"
