#!/usr/bin/env bash
# The example site scripts of an edition (packaging/windows/examples) under Wine's cmd.exe,
# installed as the station's scripts in C:\Program Files\ImageJ, with stand-ins for ImageJ
# and img2dcm where the scripts look for them (stand_in_imagej.cpp, stand_in_img2dcm.cpp).
# First each script alone, as a site tries it: ij_deldcm.bat clears only what images whose
# raw file is gone left behind; a DICOM step that fails puts nothing in place; ij_del.bat,
# not told within its time limit that the DICOM file is whole, deletes nothing, though an
# earlier exposure's DICOM file of the same name is there. Then the edition's program takes
# two exposures of one name through whole cycles with an img2dcm slower than the 3 s between
# the DICOM and delete scripts: each raw file is deleted only once the export folder holds
# that exposure's whole DICOM file, and nothing else is left.
#   example_scripts_test.sh full|lite PROGRAM.exe WINDOW-PROBE.exe IMAGEJ.exe IMG2DCM.exe ARTIFACTS
[ $# -eq 6 ] || {
  echo "usage: $0 full|lite PROGRAM.exe WINDOW-PROBE.exe IMAGEJ.exe IMG2DCM.exe ARTIFACTS" >&2
  exit 2
}
readonly EDITION=$1 IMAGEJ_STAND_IN=$4 IMG2DCM_STAND_IN=$5
case $EDITION in
  full) readonly EXAMPLES_NAME=lumenpoll PROCESSED=TIF SELECTION='1 2' MACRO=skull_dv_cat ;;
  lite) readonly EXAMPLES_NAME=lumenpoll-lite PROCESSED=DCM SELECTION='1 1' MACRO=pelvis_vd_cat ;;
  *) echo "no edition $EDITION" >&2; exit 2 ;;
esac
EXAMPLES="$(cd "$(dirname "$0")/../../packaging/windows/examples/$EXAMPLES_NAME" && pwd)"
readonly EXAMPLES
set -- wine "$2" "$3" "$6"
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e/e2e_lib.sh"

readonly TOLVA="$DRIVE/TOLVA"
readonly WORK="$TOLVA/work" EXPORT="$TOLVA/export" SCRIPTS_LOG="$TOLVA/scripts.log"
readonly DCMTK="$DRIVE/Program Files/dcmtk/bin"
readonly IMG2DCM_CALLS="$DCMTK/calls.log"
readonly IMAGEJ_WINDOWS='C:\Program Files\ImageJ' WORK_WINDOWS='C:\TOLVA\work'

# ---- the station ---------------------------------------------------------------------------

# The examples as a site copies them into the ImageJ folder, with the stand-ins, and the
# station's folders empty.
stage_examples() {
  rm -rf "$IMAGEJ" "$TOLVA" "$DRIVE/Program Files/dcmtk"
  mkdir -p "$IMAGEJ" "$IMPORT" "$EXPORT" "$DCMTK" "$ARTIFACTS"
  folder_holds "$EXAMPLES" ij_raw.bat ij_dcm.bat ij_del.bat ij_deldcm.bat plain.ijm ||
    fail "the examples are: $(folder_listing "$EXAMPLES")"
  local file
  for file in "$EXAMPLES"/*; do
    # cmd.exe misreads jumps in a batch file whose lines end in LF alone.
    ! grep -qv $'\r$' "$file" || fail "$file has lines that do not end in CR LF"
    cp "$file" "$IMAGEJ/"
  done
  cp "$IMAGEJ_STAND_IN" "$IMAGEJ/ImageJ.exe"
  cp "$IMG2DCM_STAND_IN" "$DCMTK/img2dcm.exe"
  echo delay=1 >"$IMAGEJ/stand-in.conf"
  : >"$CALLS"
  : >"$IMG2DCM_CALLS"
}

# img2dcm_settings LINE...: the img2dcm stand-in's settings (stand_in_img2dcm.cpp).
img2dcm_settings() { printf '%s\n' "$@" >"$DCMTK/stand-in.conf"; }

# run_script NAME [PARAMETERS]: runs the installed script as lumenpoll does, with this
# parameter text, and waits for it to end. Its exit code, which lumenpoll does not read,
# goes with its output into ARTIFACTS/scripts.out.
run_script() {
  printf '@"%s\\%s" %s\r\n' "$IMAGEJ_WINDOWS" "$1" "${2:-}" >"$DRIVE/run-example.bat"
  local status=0
  wine cmd /c 'C:\run-example.bat' </dev/null >>"$ARTIFACTS/scripts.out" 2>&1 || status=$?
  echo "$1 ${2:-}: exit code $status" >>"$ARTIFACTS/scripts.out"
}

# drop_exposure N NAME: the camera's exposure N as NAME.NEF, its bytes saying which it is.
drop_exposure() {
  printf 'exposure %s of %s\n' "$1" "$2" >"$IMPORT/.$2.part"
  mv "$IMPORT/.$2.part" "$IMPORT/$2.NEF"
  note "exposure $1 of $2 dropped"
}

raw_gone() { [ ! -e "$IMPORT/$1.NEF" ]; }

# folder_holds FOLDER NAME...: FOLDER holds these names and nothing else.
folder_holds() {
  local expected=""
  [ $# -eq 1 ] || expected=$(printf '%s\n' "${@:2}" | sort)
  [ "$(find "$1" -mindepth 1 -maxdepth 1 -printf '%f\n' | sort)" == "$expected" ]
}

folder_listing() { find "$1" -mindepth 1 -maxdepth 1 -printf '%f\n' | sort | tr '\n' ' '; }

assert_holds() {
  folder_holds "$@" || fail "$(basename "$1") holds \"$(folder_listing "$1")\", not \"${*:2}\""
}

# whole_dicom_of N NAME: the export folder's NAME.dcm is the whole DICOM file of exposure N.
whole_dicom_of() {
  grep -qa "exposure $1 of $2\$" "$EXPORT/$2.dcm" 2>/dev/null &&
    [ "$(tail -n 1 "$EXPORT/$2.dcm")" == END ]
}

# The scripts' log lines, less the date and time, which Wine writes in its own format.
script_log() { tr -d '\r' <"$SCRIPTS_LOG" | grep -o 'ij_[a-z_]*\.bat.*'; }

script_logged() { script_log | grep -qxF -- "$1"; }

assert_script_logged() {
  script_logged "$1" || fail "the scripts' log has no \"$1\":"$'\n'"$(script_log)"
}

# assert_logged LOG LINE...: the stand-in's call log is exactly these lines.
assert_logged() {
  local log=$1 expected actual
  shift
  expected=$(printf '%s\n' "$@")
  actual=$(tr -d '\r' <"$log")
  [ "$actual" == "$expected" ] ||
    fail "$(basename "$(dirname "$log")") was called (< expected, > logged):"$'\n'"$(diff \
      <(echo "$expected") <(echo "$actual"))"
}

# The call of ImageJ for the raw file NAME, with the macro MACRO.ijm.
imagej_call() {
  printf 'ImageJ.exe\t3\t-batch\t%s\\%s.ijm\t%s' "$IMAGEJ_WINDOWS" "$2" \
    "C:\\TOLVA\\import\\$1.NEF $WORK_WINDOWS\\$1.tif $WORK_WINDOWS\\$1.jpg $WORK_WINDOWS\\$1.imagej"
}

# The call of img2dcm for NAME: the full edition's DICOM script writes the export folder's
# temporary file, the lite edition's raw script the work folder's.
img2dcm_call() {
  local out="C:\\TOLVA\\export\\$1.part"
  [ "$EDITION" == full ] || out="$WORK_WINDOWS\\$1.dcm"
  printf 'img2dcm.exe\t7\t-q\t-k\tPatientName=%s\t-k\tPatientID=%s\t%s\t%s' "$1" "$1" \
    "$WORK_WINDOWS\\$1.jpg" "$out"
}

# ---- each script alone -----------------------------------------------------------------------

stage_examples

note "ij_deldcm.bat clears the leftovers of images whose raw file is gone, and only those"
mkdir -p "$WORK"
for name in old7.tif old7.jpg old7.imagej old7.dicom old7.dcm keep8.jpg keep8.imagej \
  keep8.dcm; do
  echo leftover >"$WORK/$name"
done
echo leftover >"$EXPORT/old7.part"
echo leftover >"$EXPORT/keep8.part"
echo earlier >"$EXPORT/old7.dcm"
echo raw >"$IMPORT/keep8.nef"
echo processed >"$IMPORT/old7.$PROCESSED"  # on a lite station perhaps the only DICOM file
run_script ij_deldcm.bat
assert_holds "$WORK" keep8.jpg keep8.imagej keep8.dcm
assert_holds "$EXPORT" keep8.part old7.dcm
assert_holds "$IMPORT" keep8.nef "old7.$PROCESSED"
assert_script_logged ij_deldcm.bat
rm -rf "$WORK" "${IMPORT:?}"/* "${EXPORT:?}"/*

note "a DICOM step that fails puts nothing in place"
echo earlier >"$EXPORT/shot05.dcm"
drop_exposure 1 shot05
img2dcm_settings fail=1
run_script ij_raw.bat "shot05 $MACRO"
if [ "$EDITION" == full ]; then
  assert_holds "$IMPORT" shot05.NEF shot05.TIF
  run_script ij_dcm.bat shot05
  assert_holds "$WORK" shot05.jpg shot05.imagej
else
  assert_holds "$IMPORT" shot05.NEF
  assert_holds "$WORK" shot05.tif shot05.jpg shot05.imagej
  cp "$IMPORT/shot05.NEF" "$IMPORT/shot05.DCM"  # for the delete script below
fi
assert_holds "$EXPORT" shot05.dcm
assert_script_logged \
  "ij_raw.bat shot05: no macro $MACRO.ijm in $IMAGEJ_WINDOWS: processed with plain.ijm"
grep -q "shot05: img2dcm could not make the DICOM file" "$SCRIPTS_LOG" ||
  fail "no word of img2dcm's failure in the log: $(script_log)"

note "ij_del.bat without the DICOM step's word in time deletes nothing"
# Its time limit, as a site sets it, shortened for the test.
sed 's/^set "DICOM_LIMIT=50"\r$/set "DICOM_LIMIT=2"\r/' "$IMAGEJ/ij_del.bat" \
  >"$IMAGEJ/ij_del_quick.bat"
grep -q '^set "DICOM_LIMIT=2"' "$IMAGEJ/ij_del_quick.bat" ||
  fail "ij_del.bat sets no DICOM_LIMIT=50"
before=$(cd "$TOLVA" && find . -type f ! -name scripts.log | sort)
run_script ij_del_quick.bat shot05
[ "$(cd "$TOLVA" && find . -type f ! -name scripts.log | sort)" == "$before" ] ||
  fail "ij_del.bat deleted files without the DICOM file: $(cd "$TOLVA" && find . -type f)"
assert_script_logged \
  "ij_del_quick.bat shot05: no DICOM file within 2 s: nothing deleted, the raw file stays"
rm "$IMAGEJ/ij_del_quick.bat"

# ---- the program's cycle ---------------------------------------------------------------------

note "two exposures of one name through the cycle, img2dcm taking 8 s"
stage_examples
# The full station has the selected region's macro, the lite one not: it takes plain.ijm.
[ "$EDITION" == lite ] || cp "$IMAGEJ/plain.ijm" "$IMAGEJ/$MACRO.ijm"
macro_run=plain
[ "$EDITION" == lite ] || macro_run=$MACRO
printf '%s\r\n' "$SELECTION" >"$IMAGEJ/macroset.txt"
write_macro_list "$EDITION" NO
img2dcm_settings delay=8
echo "exposure 0 of shot01" >"$EXPORT/shot01.dcm"  # an earlier exposure's, still there
start_x_server
start_program
wait_until 60 "the start-up script" script_logged ij_deldcm.bat

for exposure in 1 2; do
  : >"$CALLS"
  : >"$IMG2DCM_CALLS"
  : >"$SCRIPTS_LOG"
  drop_exposure "$exposure" shot01
  wait_until 120 "the delete of shot01.NEF" raw_gone shot01
  whole_dicom_of "$exposure" shot01 || fail "shot01.NEF was deleted before the DICOM file of" \
    "exposure $exposure was whole:"$'\n'"$(cat "$EXPORT/shot01.dcm")"
  wait_until 20 "an empty import folder" folder_holds "$IMPORT"
  assert_holds "$WORK"
  assert_holds "$EXPORT" shot01.dcm
  assert_logged "$CALLS" "$(imagej_call shot01 "$macro_run")"
  assert_logged "$IMG2DCM_CALLS" "$(img2dcm_call shot01)"
  calls=$(printf '%s\n' "ij_raw.bat \"shot01\" \"$MACRO\"" 'ij_dcm.bat "shot01"' \
    'ij_del.bat "shot01"')
  [ "$(script_log | grep '^ij_[a-z]*\.bat "')" == "$calls" ] ||
    fail "the scripts ran as:"$'\n'"$(script_log)"
  wait_until 20 "the last image shown" shows la_last "Processed shot01.dcm"
  sleep 2.5  # the next scans see the raw file gone
done

click_view_images
wait_program_exit 20
assert_no_leftovers
note "example scripts ($EDITION) passed"
