#!/usr/bin/env bash
# The demo of the Windows programs: cross-builds lumenpoll.exe (or lumenpoll-lite.exe with
# --lite) under build/demo-windows, makes a throw-away Wine prefix there, lays the demo
# station on its drive C: and sends one sample raw file through the whole cycle of the
# program under Wine. The station's .bat scripts (demo/windows) hand their arguments to the
# demo station's Linux scripts beside them, so ImageJ processes the sample and dcmtk makes
# the DICOM file, which is checked with dcmdump and rendered to PNG.
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
parse_args 2,13 "$@"

# ---- build, prefix and station -------------------------------------------------------------

# The station's programs are 32-bit; where Wine runs no 32-bit code (the kernel cannot, or
# 32-bit Wine is not installed) it gets the same sources built 64-bit.
build_programs() {
  local toolchain=mingw-w64-i686
  if ! bash "$REPO/scripts/wine-runs-32-bit.sh"; then
    toolchain=mingw-w64-x86_64
    say "Wine here runs no 32-bit programs: building the 64-bit $program.exe for Wine instead"
  fi
  toolchain="$REPO/cmake/$toolchain.cmake"
  # A build folder made with the other toolchain is configured anew.
  local fresh=()
  if [ -f "$BUILD/CMakeCache.txt" ] &&
    ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$toolchain" "$BUILD/CMakeCache.txt"; then
    fresh=(--fresh)
  fi
  say "cross-building $program.exe in $BUILD ($(basename "$toolchain" .cmake))"
  cmake "${fresh[@]}" -S "$REPO" -B "$BUILD" --toolchain "$toolchain" \
    -DCMAKE_BUILD_TYPE=MinSizeRel -DLUMENPOLL_BUILD_TESTS=OFF >"$BUILD/configure.log" 2>&1 ||
    { tail -n 30 "$BUILD/configure.log" >&2; die "configuring failed (log: $BUILD/configure.log)"; }
  cmake --build "$BUILD" --target "$program" -j "$(nproc)" || die "build failed"
}

make_prefix() {
  say "making the Wine prefix $WINEPREFIX"
  bash "$REPO/scripts/wine-prefix.sh" setup >"$BUILD/wine-prefix.log" 2>&1 ||
    { tail -n 30 "$BUILD/wine-prefix.log" >&2; die "no Wine prefix (log: $BUILD/wine-prefix.log)"; }
}

# The demo station (demo/drive_c, with demo/drive_c_lite laid over it for the lite program)
# with its Linux scripts under .sh names, and beside them the .bat scripts the program starts,
# which hand over to them. The Linux scripts find the station from their own place.
stage_station() {
  rm -rf "$DRIVE/Program Files/ImageJ" "$DRIVE/TOLVA"
  rm -f "$SHOTS/$program"-*.png
  mkdir -p "$IMAGEJ" "$IMPORT" "$EXPORT" "$SHOTS"
  cp -a "$REPO/demo/drive_c/Program Files/ImageJ/." "$IMAGEJ/"
  if $lite; then cp -a "$REPO/demo/drive_c_lite/Program Files/ImageJ/." "$IMAGEJ/"; fi
  local script
  for script in "$IMAGEJ"/*.bat; do mv "$script" "${script%.bat}.sh"; done
  for script in "$REPO/demo/windows/ImageJ"/*.bat; do
    sed 's/\r*$/\r/' "$script" >"$IMAGEJ/$(basename "$script")"
    [ -x "$IMAGEJ/$(basename "$script" .bat).sh" ] || die "no Linux script for $(basename "$script")"
  done
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
  check_dicom
  report
}

main
