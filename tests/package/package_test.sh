#!/usr/bin/env bash
# The Debian package CPack makes of this build: its run-time dependencies, the programs, the
# desktop entries, icon and autostart example, and the station's drive C: with its import
# folder; the programs in it run.
#   package_test.sh CPACK_CONFIG DRIVE_C WORK_FOLDER
set -euo pipefail
readonly CONFIG=$1 DRIVE=$2 WORK=$3
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

rm -rf "$WORK"
mkdir -p "$WORK"
cpack --config "$CONFIG" -B "$WORK" >"$WORK/cpack.log" 2>&1 || fail "cpack failed: $(tail "$WORK/cpack.log")"
debs=("$WORK"/lumenpoll_*.deb)
[ -f "${debs[0]}" ] || fail "no lumenpoll_*.deb in $WORK"
deb=${debs[0]}

field() { dpkg-deb --field "$deb" "$1"; }
for dep in libfltk1.3 libjpeg62-turbo libx11-6 libstdc++6 libsystemd0; do
  field Depends | grep -q "\b$dep\b" || fail "Depends lacks $dep: $(field Depends)"
done
field Recommends | grep -q imagej || fail "Recommends lacks imagej: $(field Recommends)"
field Recommends | grep -q dcmtk || fail "Recommends lacks dcmtk: $(field Recommends)"

contents=$(dpkg-deb --contents "$deb" | awk '{ print $6 }')
for path in ./usr/bin/lumenpoll ./usr/bin/lumenpoll-lite ./usr/bin/lumenpoll-check \
  ./usr/share/applications/lumenpoll.desktop ./usr/share/applications/lumenpoll-lite.desktop \
  ./usr/share/icons/hicolor/64x64/apps/lumenpoll.png \
  ./usr/share/doc/lumenpoll/examples/lumenpoll-autostart.desktop \
  ".$DRIVE/TOLVA/import/"; do
  grep -qxF -- "$path" <<<"$contents" || fail "the package lacks $path:"$'\n'"$contents"
done
! grep -q -- '-e2e$\|_tests$' <<<"$contents" || fail "test programs in the package"

dpkg-deb --extract "$deb" "$WORK/root"
"$WORK/root/usr/bin/lumenpoll-check" --help | grep -q "Usage: lumenpoll-check" ||
  fail "the packaged lumenpoll-check does not run"
status=0
"$WORK/root/usr/bin/lumenpoll-check" --drive "$WORK/root$DRIVE" >"$WORK/check.out" || status=$?
if [ "$status" -ne 1 ] || ! grep -q "Invalid filename" "$WORK/check.out"; then
  fail "the packaged checker on the empty drive C: ended with $status:"$'\n'"$(cat "$WORK/check.out")"
fi

# The packaged window program starts and shows its window (its drive C: holds no station
# here, so it says so in its boxes; the window is there all the same).
# shellcheck source=scripts/xvfb.sh
source "$(dirname "$0")/../../scripts/xvfb.sh"
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
program_pid=""
trap '[ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null; stop_xvfb' EXIT
start_xvfb "$WORK/xvfb.log" 800x600x24 || fail "could not start Xvfb"
"$WORK/root/usr/bin/lumenpoll" >"$WORK/lumenpoll.out" 2>&1 &
program_pid=$!
deadline=$((SECONDS + 20))
until window_shown; do
  kill -0 "$program_pid" 2>/dev/null || fail "the packaged lumenpoll ended: $(cat "$WORK/lumenpoll.out")"
  [ "$SECONDS" -lt "$deadline" ] || fail "the packaged lumenpoll showed no window within 20 s"
  sleep 0.2
done
echo "package passed: $(basename "$deb"), $(stat -c %s "$deb") bytes"
