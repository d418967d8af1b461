# shellcheck shell=bash disable=SC2154  # the sourcing demo sets the station's names
# Sourced by the demo commands (scripts/demo.sh, scripts/demo-windows.sh): following one
# sample raw file through the program's cycle from outside, with screenshots. The sourcing
# script sets CAPTION, ERROR_CAPTION, BUILD, IMAGEJ, IMPORT, INCOMING, EXPORT, SCRIPT_LOG,
# SHOTS, SAMPLE, BASE, program (the program's file name), lite, and defines say and die;
# program_pid is the running program's.

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

window_id=""
window_shown() {
  window_id=$(xdotool search --onlyvisible --name "^$CAPTION\$" 2>/dev/null | head -n 1)
  [ -n "$window_id" ]
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
  xdotool mousemove --window "$window_id" 240 188 click 1
  local deadline=$((SECONDS + 15))
  while kill -0 "$program_pid" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || die "$program did not end after \"View Images\""
    sleep 0.2
  done
  wait "$program_pid" || die "$program ended with status $?"
  program_pid=""
  say "window closed; saved selection: $(tr -d '\r' <"$IMAGEJ/macroset.txt")"
}
