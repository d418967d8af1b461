#!/bin/sh
# Raw script: ij_raw.bat <base name> <macro argument>
# Processes the raw file <base>.NEF of the import folder with the ImageJ macro
# <macro argument>.ijm and puts the processed image <base>.TIF into the import folder,
# which is what lumenpoll waits for. The JPEG the DICOM script needs stays in the work folder.
# shellcheck source=SCRIPTDIR/station.sh
. "$(dirname "$0")/station.sh"
log "$script${*:+ $*}"
# With nothing selected the program passes no macro argument.
[ $# -ge 1 ] && [ $# -le 2 ] || fail "expected a base name and a macro argument, got $# arguments"
base=$1
macro=$(pick_macro "${2:-}")
name=$(work_name "$base")
raw=$(found_in_import "$base" NEF) || fail "no raw file $base.NEF in $import"
mkdir -p "$work" || fail "cannot make $work"

run_macro "$macro" "$raw" "$name"
printf '%s\n' "$macro" >"$work/$name.macro" || fail "cannot write into $work"
publish "$work/$name.tif" "$import/$base.TIF" || fail "cannot put $base.TIF into $import"
