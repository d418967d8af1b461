# shellcheck shell=bash
# Sourced by the end-to-end libraries of both platforms (tests/e2e/e2e_lib.sh and
# tests/win32/e2e/e2e_lib.sh): waiting for the program to end, the station's files as the
# tests write them, raw files as a camera delivers them, and what the stand-in scripts logged. The sourcing library sets
# IMAGEJ, IMPORT, CALLS, TAB and program_pid and defines fail and error_box_shown. Windows
# stand-ins end their log lines with CR LF, which is dropped wherever the log is read.

note() { echo "--- $*"; }

program_running() { [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; }

# wait_program_exit SECONDS: the program ends by itself within SECONDS, with status 0 and
# without an error box.
wait_program_exit() {
  local seconds=$1 deadline=$((SECONDS + $1)) status=0
  while kill -0 "$program_pid" 2>/dev/null; do
    error_box_shown && fail "the program shows an error box instead of ending"
    [ "$SECONDS" -lt "$deadline" ] || fail "the program did not end within ${seconds}s"
    sleep 0.2
  done
  wait "$program_pid" || status=$?
  program_pid=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# write_crlf FILE LINE...: writes the lines, each ended by CR LF.
write_crlf() {
  local file=$1
  shift
  printf '%s\r\n' "$@" >"$file"
}

# write_macro_list full|lite AUTOCLOSE_VALUE [FILE_NAME]: two species; the lite list has no
# technique texts. Macro arguments by (species, region): (0,0) thorax_lat, (0,1) abdomen_vd,
# (1,0) thorax_vd_cat, (1,1) pelvis_vd_cat, (1,2) skull_dv_cat.
write_macro_list() {
  local techs=(" [8 60 4] [*10 62 5]" "" " [4 55 2.5]" " [*5 56 3]" "")
  [ "$1" == lite ] && techs=("" "" "" "" "")
  write_crlf "$IMAGEJ/${3:-macrolist.txt}" "[Canine]" \
    "Thorax LAT thorax_lat${techs[0]}" "Abdomen VD abdomen_vd${techs[1]}" \
    "[Feline]" "Thorax VD thorax_vd_cat${techs[2]}" "Pelvis VD pelvis_vd_cat${techs[3]}" \
    "Skull DV skull_dv_cat${techs[4]}" "[AUTOCLOSE]" "$2"
}

# A raw file arrives complete: written under a dot name, which the listing leaves out, then
# renamed.
drop_raw() {
  head -c 3000 /dev/urandom >"$IMPORT/.$1.part"
  mv "$IMPORT/.$1.part" "$IMPORT/$1"
  note "dropped $1"
}

# called NAME ARGS: the stand-in NAME has been run with ARGS.
called() { tr -d '\r' <"$CALLS" | cut -f1,3 | grep -qxF -- "$1$TAB$2"; }

# assert_calls LINE...: the log, less any times, is exactly these "name<TAB>argc<TAB>args" lines.
assert_calls() {
  local expected actual
  expected=$(printf '%s\n' "$@")
  actual=$(tr -d '\r' <"$CALLS" | cut -f1-3)
  [ "$actual" == "$expected" ] && return
  fail "script calls differ (< expected, > logged):"$'\n'"$(diff <(echo "$expected") \
    <(echo "$actual"))"
}

# assert_bytes FILE PRINTF_TEXT: FILE holds exactly these bytes.
assert_bytes() {
  cmp -s "$1" <(printf '%b' "$2") && return
  fail "$1 holds$(od -An -c "$1" | tr -s ' ') instead of$(printf '%b' "$2" | od -An -c | tr -s ' ')"
}
