# shellcheck shell=sh disable=SC2034  # the folders are for the scripts that source this
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

upper() { printf '%s' "$1" | tr '[:lower:]' '[:upper:]'; }
lower() { printf '%s' "$1" | tr '[:upper:]' '[:lower:]'; }

# A macro argument goes into ImageJ's command line, which its launcher passes through eval:
# only names that no shell reads otherwise, and an .ijm of that name here.
is_macro() {
  case $1 in
    "" | *[!A-Za-z0-9._+-]* | .*) return 1 ;;
  esac
  [ -f "$imagej_dir/$1.ijm" ]
}

# work_name BASE: the name of BASE's files in the work folder, in hexadecimal, so that any
# image name the program hands over (blanks, quotes, brackets, accents) reaches ImageJ safely.
work_name() { printf '%s' "$1" | od -An -v -tx1 | tr -d ' \n'; }

# found_in_import BASE EXT: prints the import folder's file BASE.EXT, its extension in any
# case (shot01.nef and shot01.NEF alike); fails when there is none. Each spelling is looked
# at by its exact name: a base name may hold characters a pattern would read.
found_in_import() {
  l=$(lower "$2") u=$(upper "$2")
  for a in "$(printf '%s' "$l" | cut -c1)" "$(printf '%s' "$u" | cut -c1)"; do
    for b in "$(printf '%s' "$l" | cut -c2)" "$(printf '%s' "$u" | cut -c2)"; do
      for c in "$(printf '%s' "$l" | cut -c3)" "$(printf '%s' "$u" | cut -c3)"; do
        if [ -f "$import/$1.$a$b$c" ]; then
          printf '%s\n' "$import/$1.$a$b$c"
          return 0
        fi
      done
    done
  done
  return 1
}

# publish FILE TARGET: moves a finished file to its place in one rename, so that nobody
# watching the folder ever sees half of it.
publish() { mv -f "$1" "$2"; }

# run_macro MACRO RAW WORK: runs MACRO.ijm of the ImageJ folder in ImageJ's batch mode on RAW;
# the macro writes WORK.tif (processed, 16-bit) and WORK.jpg (as shown) into the work
# folder. Camera raw files are decoded with dcraw first; a 16-bit TIFF goes in as it is.
run_macro() {
  # The imagej launcher passes its arguments through eval unquoted: give it only work names,
  # relative to the ImageJ folder, which hold nothing a shell reads.
  if dcraw -i "$2" >/dev/null 2>&1; then
    dcraw -4 -T -c "$2" >"$work/$3.raw.tif" || fail "dcraw could not decode $2"
  else
    cp "$2" "$work/$3.raw.tif" || fail "cannot copy $2 into $work"
  fi
  rm -f "$work/$3.tif" "$work/$3.jpg"
  (cd "$imagej_dir" && timeout "$imagej_time_limit" imagej -b "$1.ijm" \
    "../../TOLVA/work/$3.raw.tif ../../TOLVA/work/$3.tif ../../TOLVA/work/$3.jpg") \
    >>"$work/imagej.log" 2>&1 </dev/null
  rm -f "$work/$3.raw.tif"
  if [ ! -s "$work/$3.tif" ] || [ ! -s "$work/$3.jpg" ]; then
    fail "ImageJ made no image of $2 with $1.ijm (see $work/imagej.log)"
  fi
}

# process_raw BASE [MACRO_ARGUMENT]: the raw script's common part. Processes BASE.NEF of the
# import folder with the macro the argument names into the work folder, and records the
# macro for the DICOM script; sets base and name (its work name).
process_raw() {
  # With nothing selected the program passes no macro argument.
  if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    fail "expected a base name and a macro argument, got $# arguments"
  fi
  base=$1
  macro=$(pick_macro "${2:-}")
  name=$(work_name "$base")
  raw=$(found_in_import "$base" NEF) || fail "no raw file $base.NEF in $import"
  mkdir -p "$work" || fail "cannot make $work"
  run_macro "$macro" "$raw" "$name"
  printf '%s\n' "$macro" >"$work/$name.macro" || fail "cannot write into $work"
}

# pick_macro ARGUMENT: the macro to run for a macro argument; a raw file whose argument names
# no macro here (nothing selected, a slip in the macro list) is processed plainly, not left
# waiting for an image that would never come.
pick_macro() {
  if is_macro "$1"; then
    printf '%s\n' "$1"
  else
    log "$script: no macro \"$1\" here: processed plainly"
    printf 'plain\n'
  fi
}

# make_dicom BASE OUT: the DICOM file of BASE's processed JPEG. The patient is the image's
# base name; species, body part and study come from the "// dicom:" lines of the macro that
# processed it, so each macro names what it is for.
make_dicom() {
  dicom_base=$1 dicom_out=$2
  dicom_work=$(work_name "$1")
  macro=$(cat "$work/$dicom_work.macro") || fail "no record of the macro that processed $1"
  is_macro "$macro" || fail "no macro \"$macro\" to name the DICOM file's fields"
  set --
  while IFS= read -r line; do
    case $line in "// dicom: "*) set -- "$@" -k "${line#// dicom: }" ;; esac
  done <"$imagej_dir/$macro.ijm"
  img2dcm -q -k "PatientName=$dicom_base" -k "PatientID=$dicom_base" -k "Modality=DX" \
    -k "StudyDate=$(date +%Y%m%d)" -k "StudyTime=$(date +%H%M%S)" \
    -k "SeriesDescription=$macro" "$@" "$work/$dicom_work.jpg" "$dicom_out" ||
    fail "img2dcm could not make the DICOM file of $dicom_base"
}
