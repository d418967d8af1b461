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
