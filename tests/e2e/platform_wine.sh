# shellcheck shell=bash disable=SC2034  # what it sets is read by e2e_lib.sh
# The end-to-end layer of the Windows programs under Wine (see e2e_lib.sh): the station on
# drive C: of the Wine prefix (WINEPREFIX, set up by the tests' fixture), batch-file
# stand-ins, and window-probe to read the native controls and message boxes, whose texts X
# does not carry.
#   wine PROGRAM.exe WINDOW-PROBE.exe ARTIFACTS
[ $# -eq 3 ] || usage
readonly PROGRAM=$1 PROBE=$2 ARTIFACTS=$3
: "${WINEPREFIX:?the Wine prefix of the test run}"
readonly DRIVE="$WINEPREFIX/drive_c"
readonly PLATFORM_TOOLS=(Xvfb xdotool xwininfo wine wineserver)
readonly X_SCREEN=1024x768x24
readonly SCRIPTS_AS_STARTED="C:\\Program Files\\ImageJ\\"
# The window class the program registers, and the task-bar button of its application window.
readonly PLATFORM_FRAME_LINES=("class=TForm1" "taskbar=$ERROR_CAPTION")
# The command interpreter acts on these in the arguments the stand-ins log: a station's
# scripts would choke on them too.
readonly STAND_INS_CANNOT_LOG='&|<>^%!"()'
readonly LONGEST_LOGGED_ARGUMENT=$((4 << 10))  # the interpreter's lines hold 8191 characters
# The A functions take paths of fewer than MAX_PATH characters.
readonly LONGEST_STATION_PATH=$((260 - 1))

# probe ARGS...: window-probe's output without its line ends' CRs.
probe() { wine "$PROBE" "$@" | tr -d '\r'; }

# Wine's own processes (its desktop among them) start with the first program: restarted
# here for this display, and holding none of the pipes that the test reads window-probe's
# output through.
prepare_session() {
  wineserver -k 2>/dev/null || true
  wine cmd /c exit </dev/null >/dev/null 2>&1 || fail "Wine does not start"
}

# Scripts, the desktop process, the server: nothing of this test outlives its X server.
end_session() { wineserver -k 2>/dev/null || true; }

# Wine runs every program in one session: a copy cannot be started in another, but a
# stand-in can hold the station as a program of another session would.
start_copy_in_other_session() { return 1; }

# hold_station_elsewhere USER: the station is held by USER's program in another session;
# until release_station.
hold_station_elsewhere() {
  mkdir -p "$ARTIFACTS"
  hold_report="$ARTIFACTS/hold-station.out"
  : >"$hold_report"
  wine "$PROBE" hold-station "$1" >"$hold_report" 2>&1 </dev/null &
  station_holder_pid=$!
  wait_until 30 "a stand-in holding the station" holding
}

# hold_station_silently: a program that owns the station's mutex and answers nobody (one
# that took the name); until release_station.
hold_station_silently() {
  mkdir -p "$ARTIFACTS"
  hold_report="$ARTIFACTS/hold-station.out"
  : >"$hold_report"
  wine "$PROBE" hold-station-silently >"$hold_report" 2>&1 </dev/null &
  station_holder_pid=$!
  wait_until 30 "a program owning the station's mutex" holding
}

# A copy that hangs keeps its window, which a later start brings forward by itself.
readonly HUNG_HOLDER_BROUGHT_FORWARD=1

release_station() {
  kill "$station_holder_pid" 2>/dev/null || true
  wait "$station_holder_pid" 2>/dev/null || true
}

# The folder the scripts start in, as %CD% writes it: the program's own, wherever it was
# started from (launch_program starts it in ARTIFACTS).
scripts_working_folder() { winepath -w "$(dirname "$PROGRAM")" 2>/dev/null; }

launch_program() {
  (cd "$ARTIFACTS" && exec wine "${2:-$PROGRAM}" >"$ARTIFACTS/$1.out" 2>&1 </dev/null) &
  launched_pid=$!
}

# end_the_session [logoff|shutdown|closeapp]: as the system tells every window of the
# program (found by its window, or by its error box when it has none); it is to save and go.
end_the_session() {
  probe end-session "$CAPTION" "${1:-logoff}" >/dev/null ||
    probe end-session "$ERROR_CAPTION" "${1:-logoff}" >/dev/null || fail "no window to tell"
}

close_from_task_bar() { probe close-from-task-bar "$CAPTION" || fail "no task-bar button"; }

put_other_window_in_front() {
  wine notepad </dev/null >/dev/null 2>&1 &
  wait_until 30 "another program's window in front" other_window_in_front
}

other_window_in_front() { probe foreground | grep -q '^Notepad'; }

program_window_in_front() { probe foreground | grep -q "^TForm1$TAB$CAPTION\$"; }

# Wine, run as root, reads any file.
make_unreadable() { return 1; }

# hold_for_writing NAME SECONDS: another process holds the raw file open for writing, as a
# copy that set the file's full size first does; returns once it holds it.
hold_for_writing() {
  mkdir -p "$ARTIFACTS"
  hold_report="$ARTIFACTS/hold-$1.out"
  : >"$hold_report"
  wine "$PROBE" hold "C:\\TOLVA\\import\\$1" "$2" >"$hold_report" 2>&1 </dev/null &
  wait_until 30 "a writer holding $1" holding
}

holding() { grep -q held "$hold_report"; }

mark_read_only() { wine attrib +r "$(winepath -w "$1" 2>/dev/null)" >/dev/null 2>&1; }

install_stand_ins() {
  local script
  for script in "$E2E_SOURCE"/stand_ins/windows/*.bat; do
    sed 's/\r*$/\r/' "$script" >"$IMAGEJ/$(basename "$script")"
  done
}

# Batch files end their lines with CR LF, and %* keeps the blanks that end the parameter
# text, which are no argument.
logged_calls() { tr -d '\r' <"$CALLS" | sed 's/ *$//'; }

# Where window-probe finds each control: class and place in the client area (the label's
# panel or group box plus its own place, as the window definition gives them).
control_place() {
  case $1 in
    la_fname) echo "Static 168,16" ;;
    la_last) echo "Static 168,40" ;;
    cb_species) echo "ComboBox 32,128" ;;
    cb_region) echo "ComboBox 160,128" ;;
    *) fail "no place known for the control $1" ;;
  esac
}

shown_text() {
  local place
  place=$(control_place "$1")
  probe window "$CAPTION" | sed -n "s/^control $place [0-9]*x[0-9]* //p"
}

# An error box is a window of that caption with a size (see window_with_size_shown).
error_box_shown() { window_with_size_shown "$ERROR_CAPTION"; }

open_boxes() { probe boxes "$ERROR_CAPTION" || true; }

# OK, as the operator closes it.
close_box() { probe press "$1" || true; }

ask_window_to_close() { probe close "$CAPTION" >/dev/null || fail "could not ask the window to close"; }

describe_window_frame() { probe window "$CAPTION"; }

# A raw file marked hidden (attrib +h), under its own name.
hidden_name() { echo "$1"; }
hide_raw() {
  head -c 3000 /dev/urandom >"$IMPORT/$1"
  wine attrib +h "C:\\TOLVA\\import\\$1" >/dev/null 2>&1 || fail "attrib +h $1 failed"
  note "hid $1"
}

# The system's text for the code (as FormatMessageA gives it here), as a box shows it: its
# trailing blanks, line end and periods dropped and one period added.
system_error_text() {
  local text
  text=$(probe message "$1" | sed -e 's/[[:space:].]*$//')
  [ -n "$text" ] || fail "the system has no text for code $1"
  echo "$text."
}

# ShellExecuteA hands the program no process to wait for or to close.
assert_started_scripts_reaped() { :; }

dump_platform_state() {
  echo "== window:"
  probe window "$CAPTION" || echo "(not open)"
  echo "== error boxes:"
  open_boxes
}
