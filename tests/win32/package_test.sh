#!/usr/bin/env bash
# The ZIP CPack makes of the Windows build: the three programs, the text on where the
# station's files go and the example site scripts, in one folder; the packaged checker runs.
#   package_test.sh CPACK_CONFIG WORK_FOLDER
set -euo pipefail
readonly CONFIG=$1 WORK=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$WORK"
mkdir -p "$WORK"
cpack --config "$CONFIG" -B "$WORK" >"$WORK/cpack.log" 2>&1 || fail "cpack failed: $(tail "$WORK/cpack.log")"
zips=("$WORK"/lumenpoll-*-windows-*.zip)
[ -f "${zips[0]}" ] || fail "no lumenpoll-*-windows-*.zip in $WORK"

contents=$(cd "$WORK" && cmake -E tar tf "${zips[0]}" | grep -v '/$' | sort)  # files only
folder=$(basename "${zips[0]}" .zip)
expected=$(printf '%s\n' "$folder/STATION.txt" "$folder/lumenpoll-check.exe" \
  "$folder/lumenpoll-lite.exe" "$folder/lumenpoll.exe" | sort)
for edition in lumenpoll lumenpoll-lite; do
  for example in ij_raw.bat ij_dcm.bat ij_del.bat ij_deldcm.bat plain.ijm; do
    expected+=$'\n'"$folder/examples/$edition/$example"
  done
done
expected=$(sort <<<"$expected")
[ "$contents" == "$expected" ] || fail "the ZIP holds:"$'\n'"$contents"

(cd "$WORK" && cmake -E tar xf "${zips[0]}")
wine "$WORK/$folder/lumenpoll-check.exe" --help | grep -q "Usage: lumenpoll-check" ||
  fail "the packaged lumenpoll-check.exe does not run"
echo "windows.package passed"
