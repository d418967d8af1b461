# shellcheck shell=bash
# Sourced by the end-to-end tests of the Windows programs: an own X server, the station on
# drive C: of the Wine prefix (WINEPREFIX, set up by the tests' fixture) with stand-in .bat
# scripts, the program under test under Wine, window-probe to read its windows, polling
# with time-outs, and clean-up on every exit.
#
# A test script is run as: bash <test>.sh PROGRAM.exe WINDOW-PROBE.exe ARTIFACTS
set -euo pipefail

E2E_SOURCE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
readonly E2E_SOURCE
readonly SKIPPED=77

[ $# -eq 3 ] || { echo "usage: $0 PROGRAM.exe WINDOW-PROBE.exe ARTIFACTS" >&2; exit 2; }
readonly PROGRAM=$1 PROBE=$2 ARTIFACTS=$3
: "${WINEPREFIX:?the Wine prefix of the test run}"
readonly DRIVE="$WINEPREFIX/drive_c"
readonly IMAGEJ="$DRIVE/Program Files/ImageJ"
readonly IMPORT="$DRIVE/TOLVA/import"
readonly CALLS="$IMAGEJ/calls.log"
readonly TAB=$'\t'

for tool in Xvfb xdotool xwininfo wine wineserver; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit "$SKIPPED"; }
done

program_pid=""
# shellcheck source=scripts/xvfb.sh
source "$E2E_SOURCE/../../../scripts/xvfb.sh"
# shellcheck source=tests/e2e/station_lib.sh
source "$E2E_SOURCE/../../e2e/station_lib.sh"

fail() {
  echo "FAIL: $*" >&2
  dump_state >&2
  exit 1
}

dump_state() {
  echo "== script calls ($CALLS):"
  tr -d '\r' <"$CALLS" 2>/dev/null || echo "(none)"
  echo "== import folder:"
  ls -la "$IMPORT" 2>/dev/null || true
  echo "== program output:"
  cat "$ARTIFACTS/program.out" 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then
    echo "== window:"
    probe window "$CAPTION" 2>/dev/null || echo "(not open)"
    echo "== error boxes:"
    probe boxes "$ERROR_CAPTION" 2>/dev/null || echo "(none)"
    import -window root "$ARTIFACTS/failure.png" 2>/dev/null && echo "screen: $ARTIFACTS/failure.png"
  fi
}

stop_program() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null || true
  fi
  [ -z "$program_pid" ] || wait "$program_pid" 2>/dev/null || true
  program_pid=""
  # Scripts, the desktop process, the server: nothing of this test outlives its X server.
  wineserver -k 2>/dev/null || true
}

cleanup() {
  stop_program
  stop_xvfb
}
trap cleanup EXIT

# probe ARGS...: window-probe's output without its line ends' CRs.
probe() { wine "$PROBE" "$@" | tr -d '\r'; }

# ---- polling -------------------------------------------------------------------------------

# An error box is a window of that caption with a size (see window_with_size_shown).
error_box_shown() { window_with_size_shown "$ERROR_CAPTION"; }

# wait_until SECONDS WHAT COMMAND...: polls COMMAND; fails on time-out, when the program
# ends or when it shows an error box meanwhile.
wait_until() {
  local seconds=$1 what=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ -z "$program_pid" ] || program_running || fail "the program ended before $what"
    error_box_shown && fail "the program shows an error box before $what"
    [ "$SECONDS" -lt "$deadline" ] || fail "no $what within ${seconds}s"
    sleep 0.2
  done
}

# wait_for_error_box SECONDS: until the program shows an error box.
wait_for_error_box() {
  local deadline=$((SECONDS + $1))
  until error_box_shown; do
    program_running || fail "the program ended before showing an error box"
    [ "$SECONDS" -lt "$deadline" ] || fail "no error box within $1s"
    sleep 0.2
  done
}

# The texts of the open error boxes, one line each.
error_box_texts() { probe boxes "$ERROR_CAPTION" || true; }

# Presses OK in every open error box.
close_error_boxes() {
  local deadline=$((SECONDS + 10))
  while error_box_shown; do
    probe press "$ERROR_CAPTION" || true
    [ "$SECONDS" -lt "$deadline" ] || fail "the error boxes do not close"
    sleep 0.3
  done
}

# ---- X server and window -------------------------------------------------------------------

start_x_server() {
  mkdir -p "$ARTIFACTS"
  start_xvfb "$ARTIFACTS/xvfb.log" 1024x768x24 || fail "could not start Xvfb (log: $ARTIFACTS/xvfb.log)"
  # Wine's own processes (its desktop among them) start with the first program: restarted
  # here for this display, and holding none of the pipes that the test reads window-probe's
  # output through.
  wineserver -k 2>/dev/null || true
  wine cmd /c exit </dev/null >/dev/null 2>&1 || fail "Wine does not start"
}

start_program() {
  [ -f "$PROGRAM" ] || fail "no program at $PROGRAM"
  (cd "$ARTIFACTS" && exec wine "$PROGRAM" >"$ARTIFACTS/program.out" 2>&1 </dev/null) &
  program_pid=$!
  wait_until 60 "window \"$CAPTION\"" window_shown
}

# ---- station -------------------------------------------------------------------------------

# stage_station SELECTION_BYTES PROCESSED: the station's folders on drive C: with the
# stand-in scripts, which write PROCESSED (TIF or DCM); the test writes its macro list.
stage_station() {
  rm -rf "$DRIVE/Program Files/ImageJ" "$DRIVE/TOLVA"
  mkdir -p "$IMAGEJ" "$IMPORT" "$ARTIFACTS"
  local script
  for script in "$E2E_SOURCE"/stand_ins/*.bat; do
    sed 's/\r*$/\r/' "$script" >"$IMAGEJ/$(basename "$script")"
  done
  write_crlf "$IMAGEJ/stand_in.txt" "$2"
  printf '%b' "$1" >"$IMAGEJ/macroset.txt"
  : >"$CALLS"
  rm -f "$ARTIFACTS/failure.png"
}

# hide_raw NAME: a raw file marked hidden (attrib +h), which the station must leave alone.
hide_raw() {
  head -c 3000 /dev/urandom >"$IMPORT/$1"
  wine attrib +h "C:\\TOLVA\\import\\$1" >/dev/null 2>&1 || fail "attrib +h $1 failed"
  note "hid $1"
}

# The import folder holds nothing but the given names.
import_holds_only() {
  local expected=""
  [ $# -eq 0 ] || expected=$(printf '%s\n' "$@" | sort)
  [ "$(ls -A "$IMPORT" | sort)" == "$expected" ]
}

# ---- assertions ----------------------------------------------------------------------------

# assert_window_shows LINE...: window-probe's description of the window holds these lines.
assert_window_shows() {
  local description line
  description=$(probe window "$CAPTION") || fail "no window \"$CAPTION\" to describe"
  for line in "$@"; do
    grep -qxF -- "$line" <<<"$description" ||
      fail "the window does not show \"$line\":"$'\n'"$description"
  done
}
