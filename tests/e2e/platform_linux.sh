# shellcheck shell=bash disable=SC2034  # what it sets is read by e2e_lib.sh
# The end-to-end layer of the Linux programs (see e2e_lib.sh): the FLTK window on X, shell
# stand-ins under the station's .bat names, run by the program through /bin/sh.
#   linux PROGRAM DRIVE_C CLOSE-REQUEST ARTIFACTS
# DRIVE_C is the folder compiled into PROGRAM as its drive C:; CLOSE-REQUEST is
# x11-close-request, which asks a window to close as a window manager would.
[ $# -eq 4 ] || usage
readonly PROGRAM=$1 DRIVE=$2 CLOSE_REQUEST=$3 ARTIFACTS=$4
readonly PLATFORM_TOOLS=(Xvfb xdotool xwininfo xprop)
readonly X_SCREEN=800x600x24
readonly SCRIPTS_AS_STARTED="$DRIVE/Program Files/ImageJ/"
readonly PLATFORM_FRAME_LINES=()
readonly STAND_INS_CANNOT_LOG=""
readonly LONGEST_LOGGED_ARGUMENT=$((100 << 10))  # Linux takes up to 128 KiB in one
# PATH_MAX less its NUL.
readonly LONGEST_STATION_PATH=4095

prepare_session() { :; }

# What a copy in another session made: its X server, and an account when the test made one.
other_display=""
other_xvfb_pid=""
readonly TEST_ACCOUNT=lumenpoll-e2e
made_account=false

end_session() {
  if [ -n "$other_xvfb_pid" ]; then
    kill "$other_xvfb_pid" 2>/dev/null || true
    wait "$other_xvfb_pid" 2>/dev/null || true
    other_xvfb_pid="" other_display=""
  fi
  if $made_account; then
    userdel "$TEST_ACCOUNT" 2>/dev/null || true
    made_account=false
  fi
}

# A second X display: another operator's session on the same station.
start_other_display() {
  [ -z "$other_display" ] || return 0
  local main_pid=$xvfb_pid main_display=$DISPLAY
  xvfb_pid=""
  start_xvfb "$ARTIFACTS/xvfb-other.log" "$X_SCREEN" || fail "could not start a second Xvfb"
  other_xvfb_pid=$xvfb_pid other_display=$DISPLAY
  xvfb_pid=$main_pid
  export DISPLAY=$main_display
}

# An account of the test's own, made only by root and removed again at the end.
make_test_account() {
  id "$TEST_ACCOUNT" >/dev/null 2>&1 && return 0
  [ "$(id -u)" -eq 0 ] && command -v useradd >/dev/null || return 1
  useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
    "$TEST_ACCOUNT" 2>/dev/null || return 1
  made_account=true
}

# Where logind has put the test in a session of its own (a developer's desktop), every copy
# the test starts is in that session, whatever its display or account: the programs tell
# sessions apart by logind there.
in_logind_session() { grep -q '/session-[^/]*\.scope$' /proc/self/cgroup; }

# start_copy_in_other_session NAME [other-account]: a copy of the program on a second
# display, as another account when asked; sets launched_pid. False when that cannot be had.
start_copy_in_other_session() {
  local as=()
  ! in_logind_session || return 1
  start_other_display
  if [ "${2:-}" == other-account ]; then
    make_test_account || return 1
    as=(setpriv --reuid="$TEST_ACCOUNT" --regid="$TEST_ACCOUNT" --clear-groups)
    setpriv --reuid="$TEST_ACCOUNT" --regid="$TEST_ACCOUNT" --clear-groups test -x "$PROGRAM" ||
      return 1
  fi
  (cd "$ARTIFACTS" && DISPLAY=$other_display exec "${as[@]}" "$PROGRAM" >"$ARTIFACTS/$1.out" \
    2>&1 </dev/null) &
  launched_pid=$!
}

# The folder the scripts start in: the one the program was started in, launch_program's.
scripts_working_folder() { (cd "$ARTIFACTS" && pwd -P); }

# Here a real copy in another session plays it (start_copy_in_other_session), and a copy that
# hangs one that does not answer.
hold_station_elsewhere() { return 1; }
hold_station_silently() { return 1; }
release_station() { :; }
# Only the holder raises its own window here: one that hangs stays where it is.
readonly HUNG_HOLDER_BROUGHT_FORWARD=""

other_session_boxes() { DISPLAY=$other_display open_boxes; }
close_other_session_box() { DISPLAY=$other_display close_box "$1"; }
other_session_windows() { DISPLAY=$other_display windows_of_caption "$CAPTION"; }

# Run by root, whom no file mode stops, the program can be made to meet file permissions as
# an operator's account does (WITHOUT_OVERRIDING_PERMISSIONS set).
launch_program() {
  local program=${2:-$PROGRAM} as_operator=()
  if [ -n "${WITHOUT_OVERRIDING_PERMISSIONS:-}" ] && [ "$(id -u)" -eq 0 ]; then
    as_operator=(setpriv --bounding-set "-dac_override,-dac_read_search")
  fi
  (cd "$ARTIFACTS" && exec "${as_operator[@]}" "$program" >"$ARTIFACTS/$1.out" 2>&1 </dev/null) &
  launched_pid=$!
}

# end_the_session [logoff|shutdown|closeapp]: the session's end as the session's leader
# (a hang-up) or a service manager (a termination) says it.
# shellcheck disable=SC2154  # program_pid: e2e_lib.sh's
end_the_session() {
  if [ "${1:-}" == logoff ]; then kill -HUP "$program_pid"; else kill -TERM "$program_pid"; fi
}

# Closing through the window manager is what the task bar does here.
close_from_task_bar() { ask_window_to_close; }

# Another program's window over the whole screen, which takes the front.
put_other_window_in_front() {
  xmessage -geometry 1000x800+0+0 "another program" &
  wait_until 10 "another program's window" other_window_shown
}

other_window_shown() {
  other_window_id=$(xdotool search --onlyvisible --class Xmessage 2>/dev/null | head -n 1)
  [ -n "$other_window_id" ]
}

# Without a window manager the stacking order is the root's, as xwininfo lists it: top first.
program_window_in_front() {
  stacked_order=$(xwininfo -root -children | awk '$1 ~ /^0x/ { print $1 }')
  [ "$(stacked_at "$window_id")" -lt "$(stacked_at "$other_window_id")" ]
}

stacked_at() { grep -nxF "$(printf '0x%x' "$1")" <<<"$stacked_order" | cut -d: -f1; }

make_unreadable() { chmod 000 "$IMPORT/$1"; }

# Linux has no share modes: a writer holds nobody off.
hold_for_writing() { return 1; }

# No read-only attribute either; a read-only mode keeps root out only with chattr +i.
mark_read_only() { return 1; }

install_stand_ins() { cp "$E2E_SOURCE"/stand_ins/linux/*.bat "$IMAGEJ/"; }

logged_calls() { cat "$CALLS"; }

# The window's property of its controls' texts, one "name=text" line each. xprop writes the
# value in C escapes: \" first, then the rest as printf's %b reads them.
control_texts() {
  local value
  value=$(xprop -id "$window_id" -notype _LUMENPOLL_CONTROL_TEXTS 2>/dev/null |
    sed -n 's/^_LUMENPOLL_CONTROL_TEXTS = "\(.*\)"$/\1/p')
  printf '%b' "${value//\\\"/\"}"
}

shown_text() { control_texts | sed -n "s/^$1=//p"; }

# The box is a window of its own, captioned with the application title; it also carries its
# message as its icon title.
error_box_shown() { xdotool search --onlyvisible --name "^$ERROR_CAPTION\$" >/dev/null 2>&1; }

open_boxes() {
  local id
  for id in $(xdotool search --onlyvisible --name "^$ERROR_CAPTION\$" 2>/dev/null); do
    printf '%s\t%s\n' "$id" "$(xprop -id "$id" WM_ICON_NAME 2>/dev/null |
      sed -n 's/^WM_ICON_NAME([A-Z0-9_]*) = "\(.*\)"$/\1/p')"
  done
}

# Escape, as the operator closes it.
close_box() { xdotool windowfocus --sync "$1" key Escape >/dev/null 2>&1 || true; }

ask_window_to_close() { "$CLOSE_REQUEST" "$window_id" || fail "could not ask the window to close"; }

# Without a window manager the window's frame is what the program asked for in its hints.
describe_window_frame() {
  local info root_width root_height
  info=$(xwininfo -id "$window_id") || return 1
  root_width=$(xwininfo -root | awk '/^ *Width:/ { print $2 }')
  root_height=$(xwininfo -root | awk '/^ *Height:/ { print $2 }')
  awk -v rw="$root_width" -v rh="$root_height" '
    /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
    /^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 }
    END {
      dx = x + w / 2 - rw / 2; dy = y + h / 2 - rh / 2
      print "client=" w "x" h
      print "centred=" (dx * dx <= 1 && dy * dy <= 1)
    }' <<<"$info"
  xprop -id "$window_id" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE && echo topmost=1
  # Motif hints: functions and decorations; move and close; border, title and menu.
  xprop -id "$window_id" _MOTIF_WM_HINTS | grep -q '= 0x3, 0x24, 0x1a,' && echo dialog_frame=1
  return 0
}

# The listing leaves out dot names, as a Linux file manager does.
hidden_name() { echo ".$1"; }
hide_raw() {
  head -c 3000 /dev/urandom >"$IMPORT/$(hidden_name "$1")"
  note "hid $1"
}

# The Windows texts the program gives for the errors its adapters meet.
system_error_text() {
  case $1 in
    2) echo "The system cannot find the file specified." ;;
    *) fail "no text known for the system's error $1" ;;
  esac
}

# The program reaps the scripts it starts: no zombie children linger.
assert_started_scripts_reaped() {
  local deadline=$((SECONDS + 10)) zombies
  while :; do
    # shellcheck disable=SC2154  # program_pid: e2e_lib.sh's
    zombies=$(ps -o pid=,stat=,args= --ppid "$program_pid" | awk '$2 ~ /^Z/' || true)
    [ -z "$zombies" ] && return
    [ "$SECONDS" -lt "$deadline" ] || fail "zombie children of the program:"$'\n'"$zombies"
    sleep 0.2
  done
}

dump_platform_state() {
  echo "== windows:"
  xwininfo -root -children | grep '"' || true
  if [ -n "$window_id" ]; then
    echo "== the window's control texts:"
    control_texts
  fi
  echo "== error boxes:"
  open_boxes
}
