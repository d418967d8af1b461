#!/bin/sh
# Raw script of a lite station: ij_raw.bat <base name> <macro argument>
# Processes the raw file <base>.NEF of the import folder with the ImageJ macro
# <macro argument>.ijm and makes the DICOM file itself: <base>.DCM in the import folder is
# what lumenpoll-lite waits for.
# station.sh comes from the full station, which this one is laid over.
# shellcheck source=/dev/null
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
make_dicom "$base" "$work/$name.dcm"
publish "$work/$name.dcm" "$import/$base.DCM" || fail "cannot put $base.DCM into $import"
