#!/usr/bin/env bash
# The demo of the Windows programs: cross-builds lumenpoll.exe (or lumenpoll-lite.exe with
# --lite) under build/demo-windows, makes a throw-away Wine prefix there, lays the demo
# station on its drive C: (the demo's macro list and selection, sample .bat scripts from
# demo/windows), starts the program under Wine and sends one sample raw file through the
# whole cycle.
#
#   bash scripts/demo.sh --windows [--lite]      (or: bash scripts/demo-windows.sh [--lite])
#
# Without a DISPLAY it runs under its own Xvfb, saves screenshots, closes the window through
# "View Images" and exits. With a DISPLAY it leaves the window open for the operator.
# Missing Debian packages are installed through apt-get (scripts/install-deps.sh, as root).
set -euo pipefail

REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
readonly REPO
readonly BUILD="$REPO/build/demo-windows"
export WINEPREFIX="$BUILD/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko prompts
readonly DRIVE="$WINEPREFIX/drive_c"
# shellcheck source=scripts/demo_lib.sh
source "$REPO/scripts/demo_lib.sh"
parse_args 2,12 "$@"

# ---- build, prefix and station -------------------------------------------------------------

build_programs() {
  say "cross-building $program.exe in $BUILD"
  cmake -S "$REPO" -B "$BUILD" --toolchain "$REPO/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DLUMENPOLL_BUILD_TESTS=OFF >"$BUILD/configure.log" 2>&1 ||
    { tail -n 30 "$BUILD/configure.log" >&2; die "configuring failed (log: $BUILD/configure.log)"; }
  cmake --build "$BUILD" --target "$program" -j "$(nproc)" || die "build failed"
}

make_prefix() {
  say "making the Wine prefix $WINEPREFIX"
  bash "$REPO/scripts/wine-prefix.sh" setup >"$BUILD/wine-prefix.log" 2>&1 ||
    { tail -n 30 "$BUILD/wine-prefix.log" >&2; die "no Wine prefix (log: $BUILD/wine-prefix.log)"; }
}

# The demo's macro list and selection with Windows batch scripts; the lite station takes
# the lite macro list and scripts that make the DICOM file in the import folder.
stage_station() {
  rm -rf "$DRIVE/Program Files/ImageJ" "$DRIVE/TOLVA"
  rm -f "$SHOTS/$program"-*.png
  mkdir -p "$IMAGEJ" "$IMPORT" "$EXPORT" "$SHOTS"
  local station="$REPO/demo/drive_c/Program Files/ImageJ" scripts="$REPO/demo/windows/ImageJ"
  cp "$station/macrolist.txt" "$station/macroset.txt" "$IMAGEJ/"
  if $lite; then cp "$REPO/demo/drive_c_lite/Program Files/ImageJ/macrolist.txt" "$IMAGEJ/"; fi
  local script
  for script in "$scripts"/*.bat; do
    if $lite && [ -f "$scripts-lite/$(basename "$script")" ]; then script="$scripts-lite/$(basename "$script")"; fi
    sed 's/\r*$/\r/' "$script" >"$IMAGEJ/$(basename "$script")"
  done
  # A DICOM file opens with a 128-byte preamble and "DICM".
  { head -c 128 /dev/zero; printf 'DICM'; } >"$IMAGEJ/dicom_preamble.bin"
  say "station: drive C: is $DRIVE"
}

# ---- the program ---------------------------------------------------------------------------

cleanup() {
  if [ -n "$xvfb_pid" ]; then
    stop_program
    wineserver -k 2>/dev/null || true  # Wine's processes go with our X server
  fi
  stop_xvfb
}

start_program() {
  local binary="$BUILD/app/$program.exe"
  [ -f "$binary" ] || die "no program at $binary"
  say "starting $program.exe under Wine"
  launch 60 wine "$binary"
}

report() {
  local dicom="$EXPORT/$BASE.dcm"
  echo
  if [ -f "$dicom" ]; then
    echo "DICOM file:   $dicom ($(wc -c <"$dicom") bytes)"
  else
    echo "DICOM file:   $dicom (not written yet)"
  fi
  echo "Screenshots:  $SHOTS/$program-stage4.png, $SHOTS/$program-end.png"
  echo "Script calls: $SCRIPT_LOG"
}

main() {
  bash "$REPO/scripts/install-deps.sh" || die "could not install the Debian packages (run as root)"
  mkdir -p "$BUILD"
  build_programs
  make_prefix
  stage_station
  trap cleanup EXIT
  open_display
  # Wine's own processes (its desktop) start for this display.
  wineserver -k 2>/dev/null || true
  start_program
  run_cycle
  report
}

main
