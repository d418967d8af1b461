# shellcheck shell=bash
# Sourced by e2e_lib.sh: the station's files as the scenarios write them, raw files as a
# camera delivers them, and what the stand-in scripts logged. Uses DRIVE, IMAGEJ, IMPORT,
# CALLS, TAB, fail, note and the layer's install_stand_ins and logged_calls.

# stage_station SELECTION_BYTES PROCESSED [DECOY]: the station's folders afresh with the
# stand-in scripts, whose raw script writes PROCESSED (TIF or DCM), after a DECOY file of
# that extension when given (see the stand-ins); the scenario writes its macro list.
stage_station() {
  local folder
  for folder in "$IMAGEJ" "$DRIVE/TOLVA"; do
    # A scenario may have left a file immutable (read-only even for root).
    [ ! -d "$folder" ] || chattr -R -i "$folder" >/dev/null 2>&1 || true
    rm -rf "$folder"
  done
  mkdir -p "$IMAGEJ" "$IMPORT" "$ARTIFACTS"
  install_stand_ins
  printf 'processed=%s\ndecoy=%s\n' "$2" "${3:-}" >"$IMAGEJ/stand_in.conf"
  printf '%b' "$1" >"$IMAGEJ/macroset.txt"
  : >"$CALLS"
  rm -f "$ARTIFACTS/failure.png"
}

# write_crlf FILE LINE...: writes the lines, each ended by CR LF.
write_crlf() {
  local file=$1
  shift
  printf '%s\r\n' "$@" >"$file"
}

# write_macro_list full|lite AUTOCLOSE_VALUE [FILE_NAME]: two species; the lite list has no
# technique texts. Macro arguments by (species, region): (0,0) thorax_lat, (0,1) abdomen_vd,
# (1,0) thorax_vd_cat, (1,1) pelvis_vd_cat, (1,2) skull_dv_cat.
write_macro_list() {
  local techs=(" [8 60 4] [*10 62 5]" "" " [4 55 2.5]" " [*5 56 3]" "")
  [ "$1" == lite ] && techs=("" "" "" "" "")
  write_crlf "$IMAGEJ/${3:-macrolist.txt}" "[Canine]" \
    "Thorax LAT thorax_lat${techs[0]}" "Abdomen VD abdomen_vd${techs[1]}" \
    "[Feline]" "Thorax VD thorax_vd_cat${techs[2]}" "Pelvis VD pelvis_vd_cat${techs[3]}" \
    "Skull DV skull_dv_cat${techs[4]}" "[AUTOCLOSE]" "$2"
}

# A raw file arrives complete: written under another extension, then renamed.
drop_raw() {
  head -c 3000 /dev/urandom >"$IMPORT/.$1.part"
  mv "$IMPORT/.$1.part" "$IMPORT/$1"
  note "dropped $1"
}

# import_holds_only NAME...: the import folder holds these names and nothing else.
import_holds_only() {
  local expected=""
  [ $# -eq 0 ] || expected=$(printf '%s\n' "$@" | sort)
  [ "$(find "$IMPORT" -mindepth 1 -maxdepth 1 -printf '%f\n' | sort)" == "$expected" ]
}

# make_unwritable FILE: read-only even for root (immutable); false where that cannot be done.
make_unwritable() {
  chmod 444 "$1"
  [ "$(id -u)" -ne 0 ] || chattr +i "$1" 2>/dev/null
}

make_writable() {
  chattr -i "$1" 2>/dev/null || true
  chmod 644 "$1"
}

# called NAME ARGS: the stand-in NAME has been run with ARGS.
called() { logged_calls | cut -f1,3 | grep -qxF -- "$1$TAB$2"; }

# The start-up script's log line.
# shellcheck disable=SC2034  # read by the scenarios
readonly STARTUP_CALL="ij_deldcm.bat${TAB}0$TAB"

# image_calls BASE MACRO WRITTEN...: the log lines of one image's cycle: the raw script with
# BASE and MACRO, the files it wrote (in this order), the DICOM script, the delete script.
image_calls() {
  local base=$1 macro=$2 file
  shift 2
  echo "ij_raw.bat${TAB}2${TAB}$base $macro"
  for file; do echo "wrote${TAB}1${TAB}$file"; done
  echo "ij_dcm.bat${TAB}1${TAB}$base"
  echo "ij_del.bat${TAB}1${TAB}$base"
}

# assert_calls LINE...: the log, less any times, is exactly these "name<TAB>argc<TAB>args" lines.
assert_calls() {
  local expected actual
  expected=$(printf '%s\n' "$@")
  actual=$(logged_calls | cut -f1-3)
  [ "$actual" == "$expected" ] && return
  fail "script calls differ (< expected, > logged):"$'\n'"$(diff <(echo "$expected") \
    <(echo "$actual"))"
}

# assert_scripts_started_in FOLDER: every script the stand-ins ran started in FOLDER.
assert_scripts_started_in() {
  local folders
  folders=$(tr -d '\r' <"$IMAGEJ/working_folders.log" | sort -u)
  [ "$folders" == "$1" ] ||
    fail "the scripts started in:"$'\n'"$folders"$'\n'"not in $1"
}

# assert_bytes FILE PRINTF_TEXT: FILE holds exactly these bytes.
assert_bytes() {
  cmp -s "$1" <(printf '%b' "$2") && return
  fail "$1 holds$(od -An -c "$1" | tr -s ' ') instead of$(printf '%b' "$2" | od -An -c | tr -s ' ')"
}
