#!/bin/sh
# Raw script of a lite station: ij_raw.bat <base name> <macro argument>
# Processes the raw file <base>.NEF of the import folder with the ImageJ macro
# <macro argument>.ijm and makes the DICOM file itself: <base>.DCM in the import folder is
# what lumenpoll-lite waits for.
# station.sh comes from the full station, which this one is laid over.
# shellcheck source=/dev/null
. "$(dirname "$0")/station.sh"
log "$script${*:+ $*}"
[ $# -eq 2 ] || fail "expected a base name and a macro argument, got $# arguments"
base=$1 macro=$2
check_name "base name" "$base"
check_name macro "$macro"
[ -f "$imagej_dir/$macro.ijm" ] || fail "no macro $macro.ijm in $imagej_dir"
raw=$(found_in_import "$base" NEF) || fail "no raw file $base.NEF in $import"
mkdir -p "$work" || fail "cannot make $work"

run_macro "$macro" "$raw" "$base"
printf '%s\n' "$macro" >"$work/$base.macro" || fail "cannot write into $work"
make_dicom "$base" "$work/$base.dcm"
publish "$work/$base.dcm" "$import/$base.DCM" || fail "cannot put $base.DCM into $import"
