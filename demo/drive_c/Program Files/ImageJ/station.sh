# Shared by the station's scripts (sourced by them, POSIX sh): the station's folders, a log
# line per call, and the steps that run ImageJ and dcmtk.
#
# lumenpoll starts the scripts in its own working folder, so the station is found from the
# script's own place: <drive C:>/Program Files/ImageJ.

imagej_dir=$(cd "$(dirname "$0")" && pwd) || exit 1
drive=$(cd "$imagej_dir/../.." && pwd) || exit 1
import="$drive/TOLVA/import"
export_dir="$drive/TOLVA/export"
work="$drive/TOLVA/work"
log_file="$drive/TOLVA/scripts.log"
script=$(basename "$0")

# The longest ImageJ may take: a macro error leaves it waiting for a dialog nobody sees.
imagej_time_limit=120

log() { printf '%s %s\n' "$(date +%T)" "$*" >>"$log_file"; }

fail() {
  log "$script: $*"
  exit 1
}

# Names go into ImageJ's and dcmtk's command lines: allow only what no shell will read.
check_name() {
  case $2 in
    "" | *[!A-Za-z0-9._+-]* | .*) fail "refused $1 \"$2\"" ;;
  esac
}

upper() { printf '%s' "$1" | tr '[:lower:]' '[:upper:]'; }

# found_in_import BASE EXT: prints the import folder's file BASE.EXT, its extension in any
# case (shot01.nef and shot01.NEF alike); fails when there is none.
found_in_import() {
  for f in "$import/$1".*; do
    [ -f "$f" ] && [ "${f%.*}" = "$import/$1" ] && [ "$(upper "${f##*.}")" = "$2" ] || continue
    printf '%s\n' "$f"
    return 0
  done
  return 1
}

# publish FILE TARGET: moves a finished file to its place in one rename, so that nobody
# watching the folder ever sees half of it.
publish() { mv -f "$1" "$2"; }

# run_macro MACRO RAW BASE: runs MACRO.ijm of the ImageJ folder in ImageJ's batch mode on RAW;
# the macro writes BASE.tif (processed, 16-bit) and BASE.jpg (as shown) into the work
# folder. Camera raw files are decoded with dcraw first; a 16-bit TIFF goes in as it is.
run_macro() {
  # The imagej launcher passes its arguments through eval unquoted: give it names relative
  # to the ImageJ folder, which hold no blanks.
  input=../../TOLVA/import/$(basename "$2")
  if dcraw -i "$2" >/dev/null 2>&1; then
    dcraw -4 -T -c "$2" >"$work/$3.raw.tif" || fail "dcraw could not decode $2"
    input=../../TOLVA/work/$3.raw.tif
  fi
  rm -f "$work/$3.tif" "$work/$3.jpg"
  (cd "$imagej_dir" && timeout "$imagej_time_limit" imagej -b "$1.ijm" \
    "$input ../../TOLVA/work/$3.tif ../../TOLVA/work/$3.jpg") >>"$work/imagej.log" 2>&1 </dev/null
  [ -s "$work/$3.tif" ] && [ -s "$work/$3.jpg" ] ||
    fail "ImageJ made no image of $3 with $1.ijm (see $work/imagej.log)"
}

# make_dicom BASE OUT: the DICOM file of BASE's processed JPEG. The patient is the image's
# base name; species, body part and study come from the "// dicom:" lines of the macro that
# processed it, so each macro names what it is for.
make_dicom() {
  dicom_base=$1 dicom_out=$2
  macro=$(cat "$work/$1.macro") || fail "no record of the macro that processed $1"
  check_name macro "$macro"
  set --
  while IFS= read -r line; do
    case $line in "// dicom: "*) set -- "$@" -k "${line#// dicom: }" ;; esac
  done <"$imagej_dir/$macro.ijm"
  img2dcm -q -k "PatientName=$dicom_base" -k "PatientID=$dicom_base" -k "Modality=DX" \
    -k "StudyDate=$(date +%Y%m%d)" -k "StudyTime=$(date +%H%M%S)" \
    -k "SeriesDescription=$macro" "$@" "$work/$dicom_base.jpg" "$dicom_out" ||
    fail "img2dcm could not make the DICOM file of $dicom_base"
}
