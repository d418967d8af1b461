# shellcheck shell=bash disable=SC2154  # the sourcing demo sets BUILD, DRIVE, REPO
# Sourced by the demo commands (scripts/demo.sh, scripts/demo-windows.sh) once they have set
# REPO, BUILD (the demo's build folder) and DRIVE (the folder that is the station's drive
# C:): the station's names, the command line, the X display, and following one sample raw
# file through the program's cycle from outside, with screenshots, then checking the DICOM
# file it made. Each demo defines build_programs, stage_station and start_program.

readonly IMAGEJ="$DRIVE/Program Files/ImageJ"
readonly IMPORT="$DRIVE/TOLVA/import"
readonly INCOMING="$DRIVE/TOLVA/incoming"  # where a raw file is copied before it is moved in
readonly EXPORT="$DRIVE/TOLVA/export"
readonly SCRIPT_LOG="$DRIVE/TOLVA/scripts.log"
readonly SHOTS="$BUILD/screenshots"
readonly SAMPLE="$REPO/demo/sample/shot01.NEF"
readonly BASE=DSC_0001  # dropped in under a Nikon camera's own name, as a station sees them

say() { printf '==> %s\n' "$*"; }
die() { printf 'demo: %s\n' "$*" >&2; exit 1; }

# parse_args HELP_LINES ARG...: sets lite and program (the program's file name, without .exe);
# --help prints the given lines of the demo's own header.
lite=false
parse_args() {
  local help_lines=$1 arg
  shift
  for arg in "$@"; do
    case $arg in
      --windows) ;;
      --lite) lite=true ;;
      -h | --help) sed -n "${help_lines}p" "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
      *) echo "usage: $0 [--lite]" >&2; exit 2 ;;
    esac
  done
  if $lite; then program=lumenpoll-lite; else program=lumenpoll; fi
}

# ---- X display and window ------------------------------------------------------------------

# shellcheck source=scripts/xvfb.sh
source "$REPO/scripts/xvfb.sh"
program_pid=""

# Our own Xvfb without a DISPLAY; otherwise the operator's display, which must answer.
open_display() {
  if [ -z "${DISPLAY:-}" ]; then
    start_xvfb "$BUILD/xvfb.log" 1024x768x24 || die "could not start Xvfb (log: $BUILD/xvfb.log)"
    say "own X server on $DISPLAY"
  elif ! x_server_ready; then
    die "cannot reach the display $DISPLAY (unset DISPLAY to run under an own Xvfb)"
  fi
}

# launch SECONDS COMMAND...: starts the program in the build folder and waits for its window.
launch() {
  local seconds=$1
  shift
  if [ -n "$xvfb_pid" ]; then
    (cd "$BUILD" && exec "$@" >"$BUILD/$program.out" 2>&1 </dev/null) &
  else
    # Detached, so it stays with the operator after this script ends.
    (cd "$BUILD" && exec setsid "$@" >"$BUILD/$program.out" 2>&1 </dev/null) &
  fi
  program_pid=$!
  wait_for "$seconds" "window \"$CAPTION\"" window_shown
}

stop_program() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
  fi
}

# ---- the cycle -----------------------------------------------------------------------------

# An error box is a window of that caption with a size (see window_with_size_shown).
error_box_shown() { window_with_size_shown "$ERROR_CAPTION"; }

# wait_for SECONDS WHAT COMMAND...: polls COMMAND until it succeeds; dies with WHAT on
# time-out, when the program ends, or when it shows an error box.
wait_for() {
  local seconds=$1 what=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    if [ -n "$program_pid" ] && ! kill -0 "$program_pid" 2>/dev/null; then
      die "$program ended while waiting for $what (output: $BUILD/$program.out)"
    fi
    if error_box_shown; then
      import -window root "$SHOTS/$program-error.png" 2>/dev/null || true
      die "$program shows an error box while waiting for $what (screen: $SHOTS/$program-error.png)"
    fi
    [ "$SECONDS" -lt "$deadline" ] || die "no $what after ${seconds}s"
    sleep 0.2
  done
}


capture() { import -window "${window_id:-root}" "$1" 2>/dev/null || echo "(screenshot $1 failed)"; }

# script_ran NAME: the station's log has a line of the script NAME (Windows scripts end their
# lines with CR LF).
script_ran() { tr -d '\r' 2>/dev/null <"$SCRIPT_LOG" | grep -q " $1\( \|\$\)"; }

processed_ready() {
  local f
  for f in "$IMPORT/$BASE".*; do
    case $f in *.[Tt][Ii][Ff] | *.[Dd][Cc][Mm]) return 0 ;; esac
  done
  return 1
}

import_empty() {
  local f
  for f in "$IMPORT"/*; do [ -e "$f" ] && return 1; done
  return 0
}

drop_sample() {
  # Copied beside the import folder and moved in, as a camera's transfer would finish.
  mkdir -p "$INCOMING"
  cp "$SAMPLE" "$INCOMING/$BASE.NEF"
  mv "$INCOMING/$BASE.NEF" "$IMPORT/$BASE.NEF"
  say "dropped $BASE.NEF into the import folder"
}

stage() { printf '    %-32s window: "%s"\n' "$1" "$2"; }

follow_cycle() {
  local processed=TIF
  $lite && processed=DCM
  wait_for 30 "raw script call" script_ran ij_raw.bat
  stage "ij_raw.bat $BASE started" "Processing $BASE.nef 2"
  wait_for 60 "$BASE.$processed in the import folder" processed_ready
  stage "$BASE.$processed appeared" "Processing $BASE.nef 3"
  wait_for 30 "DICOM script call" script_ran ij_dcm.bat
  stage "ij_dcm.bat $BASE started" "Processing $BASE.nef 4"
  wait_for 30 "DICOM file $EXPORT/$BASE.dcm" test -f "$EXPORT/$BASE.dcm"
  sleep 1
  capture "$SHOTS/$program-stage4.png"
  wait_for 30 "delete script call" script_ran ij_del.bat
  wait_for 30 "empty import folder" import_empty
  stage "ij_del.bat $BASE done" "Waiting for Image File"
  sleep 1
  capture "$SHOTS/$program-end.png"
}

close_through_view_images() {
  say "clicking \"View Images\""
  click_view_images
  local deadline=$((SECONDS + 15))
  while kill -0 "$program_pid" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || die "$program did not end after \"View Images\""
    sleep 0.2
  done
  wait "$program_pid" || die "$program ended with status $?"
  program_pid=""
  say "window closed; saved selection: $(tr -d '\r' <"$IMAGEJ/macroset.txt")"
}

# The program's part of the demo: the start-up call, one sample through the cycle, then the
# window closed through "View Images" (own Xvfb) or left with the operator.
run_cycle() {
  wait_for 20 "start-up script call (ij_deldcm.bat)" script_ran ij_deldcm.bat
  drop_sample
  follow_cycle
  if [ -n "$xvfb_pid" ]; then
    close_through_view_images
  else
    program_pid=""  # the window stays for the operator
    say "the window stays open; drop more raw files into $IMPORT, close it with \"View Images\""
  fi
}

# ---- the DICOM file ------------------------------------------------------------------------

# The DICOM file must read back with dcmdump, hold an image and render; its fields are shown.
check_dicom() {
  local dicom="$EXPORT/$BASE.dcm"
  dcmdump "$dicom" >"$BUILD/$BASE.dcmdump" 2>&1 ||
    die "dcmdump cannot read $dicom: $(head -n 3 "$BUILD/$BASE.dcmdump")"
  grep -q '^(7fe0,0010) ' "$BUILD/$BASE.dcmdump" || die "$dicom holds no pixel data"
  say "dcmdump $dicom:"
  grep -E '^\((0008,0016|0008,0060|0008,1030|0008,103e|0010,0010|0010,0020|0010,2201|0018,0015|0028,0010|0028,0011|7fe0,0010)\)' \
    "$BUILD/$BASE.dcmdump" | sed 's/^/    /'
  dcmj2pnm +on "$dicom" "$SHOTS/$program-dicom.png" || die "dcmj2pnm cannot render $dicom"
  # The raw sample as the camera recorded it, for comparison.
  convert "tiff:$SAMPLE" -auto-level "$SHOTS/sample-raw.png" 2>/dev/null || true
}

report() {
  echo
  echo "DICOM file:   $EXPORT/$BASE.dcm ($(wc -c <"$EXPORT/$BASE.dcm") bytes)"
  echo "Pictures:     $SHOTS/$program-stage4.png, $SHOTS/$program-end.png (window)"
  echo "              $SHOTS/sample-raw.png (raw sample), $SHOTS/$program-dicom.png (DICOM file)"
  echo "Script calls: $SCRIPT_LOG"
}
