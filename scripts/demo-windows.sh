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

readonly CAPTION="Velmora Imaging Processing"
readonly ERROR_CAPTION="Orvend Image Processing"
REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
readonly REPO
readonly BUILD="$REPO/build/demo-windows"
export WINEPREFIX="$BUILD/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko prompts
readonly DRIVE="$WINEPREFIX/drive_c"
readonly IMAGEJ="$DRIVE/Program Files/ImageJ"
readonly INCOMING="$DRIVE/TOLVA/incoming"  # where a raw file is copied before it is moved in
readonly IMPORT="$DRIVE/TOLVA/import"
readonly EXPORT="$DRIVE/TOLVA/export"
readonly SCRIPT_LOG="$DRIVE/TOLVA/scripts.log"
readonly SHOTS="$BUILD/screenshots"
readonly SAMPLE="$REPO/demo/sample/shot01.NEF"
readonly BASE=shot01

lite=false
for arg in "$@"; do
  case $arg in
    --windows) ;;
    --lite) lite=true ;;
    -h | --help) sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "usage: $0 [--lite]" >&2; exit 2 ;;
  esac
done
if $lite; then program=lumenpoll-lite; else program=lumenpoll; fi

say() { printf '==> %s\n' "$*"; }
die() { printf 'demo: %s\n' "$*" >&2; exit 1; }

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

# ---- X display and window ------------------------------------------------------------------

# shellcheck source=scripts/xvfb.sh
source "$REPO/scripts/xvfb.sh"
program_pid=""

cleanup() {
  if [ -n "$xvfb_pid" ]; then
    if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
      kill "$program_pid" 2>/dev/null || true
      wait "$program_pid" 2>/dev/null || true
    fi
    wineserver -k 2>/dev/null || true  # Wine's processes go with our X server
  fi
  stop_xvfb
}

start_own_x_server() {
  start_xvfb "$BUILD/xvfb.log" 1024x768x24 || die "could not start Xvfb (log: $BUILD/xvfb.log)"
  say "own X server on $DISPLAY"
}

start_program() {
  local binary="$BUILD/app/$program.exe"
  [ -f "$binary" ] || die "no program at $binary"
  say "starting $program.exe under Wine"
  if [ -n "$xvfb_pid" ]; then
    (cd "$BUILD" && exec wine "$binary" >"$BUILD/$program.out" 2>&1 </dev/null) &
  else
    # Detached, so it stays with the operator after this script ends.
    (cd "$BUILD" && exec setsid wine "$binary" >"$BUILD/$program.out" 2>&1 </dev/null) &
  fi
  program_pid=$!
  wait_for 60 "window \"$CAPTION\"" window_shown
}

# ---- the cycle -----------------------------------------------------------------------------

# shellcheck source=scripts/demo_cycle.sh
source "$REPO/scripts/demo_cycle.sh"

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
  if [ -z "${DISPLAY:-}" ]; then
    start_own_x_server
  elif ! x_server_ready; then
    die "cannot reach the display $DISPLAY (unset DISPLAY to run under an own Xvfb)"
  fi
  # Wine's own processes (its desktop) start for this display.
  wineserver -k 2>/dev/null || true
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
  report
}

main
