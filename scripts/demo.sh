#!/usr/bin/env bash
# Builds lumenpoll (or lumenpoll-lite with --lite), sets up the demo station under build/demo,
# starts the program and sends one sample raw file through the whole cycle: ImageJ processes
# it with the macro of the saved selection, dcmtk makes the DICOM file, which is checked with
# dcmdump and rendered to PNG beside the window's screenshots.
#
#   bash scripts/demo.sh [--lite]
#
# Without a DISPLAY it runs under its own Xvfb, saves screenshots, closes the window through
# "View Images" and exits. With a DISPLAY it leaves the window open for the operator.
# Missing Debian packages are installed through apt-get (scripts/install-deps.sh, as root).
set -euo pipefail

# The Windows programs, under Wine: --windows [--lite] (scripts/demo-windows.sh).
for arg in "$@"; do
  [ "$arg" != --windows ] || exec bash "$(dirname "${BASH_SOURCE[0]}")/demo-windows.sh" "$@"
done

readonly CAPTION="Velmora Imaging Processing"
readonly ERROR_CAPTION="Orvend Image Processing"
REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
readonly REPO
readonly BUILD="$REPO/build/demo"
readonly DRIVE="$BUILD/drive_c"
readonly IMPORT="$DRIVE/TOLVA/import"
readonly INCOMING="$DRIVE/TOLVA/incoming"  # where a raw file is copied before it is moved in
readonly IMAGEJ="$DRIVE/Program Files/ImageJ"
readonly EXPORT="$DRIVE/TOLVA/export"
readonly SCRIPT_LOG="$DRIVE/TOLVA/scripts.log"
readonly SHOTS="$BUILD/screenshots"
readonly SAMPLE="$REPO/demo/sample/shot01.NEF"
readonly BASE=shot01

lite=false
case "${1:-}" in
  "") ;;
  --lite) lite=true ;;
  -h | --help) sed -n '2,11p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
  *) echo "usage: $0 [--lite]" >&2; exit 2 ;;
esac
if $lite; then program=lumenpoll-lite; else program=lumenpoll; fi

say() { printf '==> %s\n' "$*"; }
die() { printf 'demo: %s\n' "$*" >&2; exit 1; }

# ---- build and station ---------------------------------------------------------------------

build_programs() {
  say "building $program in $BUILD"
  cmake -S "$REPO" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DLUMENPOLL_DRIVE_C="$DRIVE" \
    -DLUMENPOLL_BUILD_TESTS=OFF >"$BUILD/configure.log" 2>&1 ||
    { tail -n 30 "$BUILD/configure.log" >&2; die "configuring failed (log: $BUILD/configure.log)"; }
  cmake --build "$BUILD" --target lumenpoll lumenpoll-lite lumenpoll-check -j "$(nproc)" ||
    die "build failed"
}

# The lite station is the full one with demo/drive_c_lite laid over it: a macro list without
# technique texts and a raw script that makes the DICOM file in the import folder.
stage_station() {
  rm -rf "$DRIVE"
  rm -f "$SHOTS/$program"-*.png
  cp -a "$REPO/demo/drive_c" "$DRIVE"
  if $lite; then cp -a "$REPO/demo/drive_c_lite/." "$DRIVE/"; fi
  mkdir -p "$SHOTS" "$IMPORT" "$EXPORT"
  say "station: $DRIVE"
  local edition=()
  $lite && edition=(--lite)
  "$BUILD/app/lumenpoll-check" "${edition[@]}" >"$BUILD/check.txt" ||
    { cat "$BUILD/check.txt"; die "lumenpoll-check finds the demo station not ready"; }
  say "lumenpoll-check: $(tail -n 1 "$BUILD/check.txt") (report: $BUILD/check.txt)"
}

# ---- X display and window ------------------------------------------------------------------

# shellcheck source=scripts/xvfb.sh
source "$REPO/scripts/xvfb.sh"
program_pid=""

cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
  fi
  stop_xvfb
}

start_own_x_server() {
  start_xvfb "$BUILD/xvfb.log" 1024x768x24 ||
    die "could not start Xvfb (log: $BUILD/xvfb.log)"
  say "own X server on $DISPLAY"
}

start_program() {
  local binary="$BUILD/app/$program"
  [ -x "$binary" ] || die "no program at $binary"
  say "starting $program"
  if [ -n "$xvfb_pid" ]; then
    (cd "$BUILD" && exec "$binary" >"$BUILD/$program.out" 2>&1) &
  else
    # Detached, so it stays with the operator after this script ends.
    (cd "$BUILD" && exec setsid "$binary" >"$BUILD/$program.out" 2>&1 </dev/null) &
  fi
  program_pid=$!
  wait_for 20 "window \"$CAPTION\"" window_shown
}

# ---- the cycle -----------------------------------------------------------------------------

# shellcheck source=scripts/demo_cycle.sh
source "$REPO/scripts/demo_cycle.sh"

# The DICOM file must read back with dcmdump and render; its fields are shown.
check_dicom() {
  local dicom="$EXPORT/$BASE.dcm"
  dcmdump "$dicom" >"$BUILD/$BASE.dcmdump" 2>&1 ||
    die "dcmdump cannot read $dicom: $(head -n 3 "$BUILD/$BASE.dcmdump")"
  say "dcmdump $dicom:"
  grep -E '\((0008,0016|0008,0060|0008,1030|0008,103e|0010,0010|0010,0020|0010,2201|0018,0015|0028,0010|0028,0011)\)' \
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

main() {
  bash "$REPO/scripts/install-deps.sh" || die "could not install the Debian packages (run as root)"
  mkdir -p "$BUILD"
  build_programs
  stage_station
  trap cleanup EXIT
  if [ -z "${DISPLAY:-}" ]; then
    start_own_x_server
  elif ! x_server_ready; then
    die "cannot reach the display $DISPLAY (unset DISPLAY to run under an own Xvfb)"
  fi
  start_program
  wait_for 20 "start-up script call (ij_deldcm.bat)" script_ran ij_deldcm.bat
  drop_sample
  follow_cycle
  if [ -n "$xvfb_pid" ]; then
    close_through_view_images
  else
    program_pid=""  # the window stays for the operator
    say "the window stays open; drop more raw files into $IMPORT, close it with \"View Images\""
  fi
  check_dicom
  report
}

main
