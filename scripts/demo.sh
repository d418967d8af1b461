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

REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
readonly REPO
readonly BUILD="$REPO/build/demo"
readonly DRIVE="$BUILD/drive_c"
# shellcheck source=scripts/demo_lib.sh
source "$REPO/scripts/demo_lib.sh"
parse_args 2,11 "$@"

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

# ---- the program ---------------------------------------------------------------------------

cleanup() {
  stop_program
  stop_xvfb
}

start_program() {
  local binary="$BUILD/app/$program"
  [ -x "$binary" ] || die "no program at $binary"
  say "starting $program"
  launch 20 "$binary"
}

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
  open_display
  start_program
  run_cycle
  check_dicom
  report
}

main
