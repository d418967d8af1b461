#!/usr/bin/env bash
# The demo station with its real tools (Linux): ImageJ processes a raw file with the macro of
# the saved selection and dcmtk makes the DICOM file, whose validity and fields dcmdump
# checks. The image's name holds characters a careless script would choke on, but the
# program hands it over, so the station must take it.
# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/../e2e_lib.sh"

for tool in imagej img2dcm dcmdump dcmj2pnm; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit "$SKIPPED"; }
done
readonly DEMO="$E2E_SOURCE/../../demo"
readonly EXPORT="$DRIVE/TOLVA/export"
readonly SCRIPT_LOG="$DRIVE/TOLVA/scripts.log"
readonly NAME="o'neil#7"

rm -rf "$DRIVE"
mkdir -p "$ARTIFACTS"
cp -a "$DEMO/drive_c" "$DRIVE"
printf '1 0\r\n' >"$IMAGEJ/macroset.txt"  # Feline, Thorax LAT

start_x_server
start_program
mkdir -p "$DRIVE/TOLVA/incoming"
cp "$DEMO/sample/shot01.NEF" "$DRIVE/TOLVA/incoming/$NAME.NEF"
mv "$DRIVE/TOLVA/incoming/$NAME.NEF" "$IMPORT/$NAME.NEF"
wait_until 120 "DICOM file $NAME.dcm" test -f "$EXPORT/$NAME.dcm"
wait_until 20 "empty import folder" import_holds_only .gitkeep  # the demo's placeholder
click_view_images
wait_program_exit 20

grep -q ': ' "$SCRIPT_LOG" && fail "a script reported a failure:"$'\n'"$(cat "$SCRIPT_LOG")"
dump=$(dcmdump "$EXPORT/$NAME.dcm" 2>&1) || fail "dcmdump cannot read the DICOM file: $dump"
echo "$dump" >"$ARTIFACTS/image.dcmdump"
# field TAG VALUE: the dump shows the element TAG with the value [VALUE] (or =VALUE for UIDs).
field() {
  grep -qE "^\($1\) [A-Z]{2} (\[|=)$2\]?( |$)" <<<"$dump" ||
    fail "($1) is not $2:"$'\n'"$(grep -E "^\($1\)" <<<"$dump" || echo "(absent)")"
}
field 0002,0010 JPEGBaseline
field 0008,0016 SecondaryCaptureImageStorage
field 0008,0060 DX
field 0010,0010 "$NAME"
field 0010,0020 "$NAME"
field 0010,2201 Feline
field 0018,0015 CHEST
field 0008,1030 "Thorax LAT"
field 0008,103e feline_thorax_lat
dcmj2pnm +on "$EXPORT/$NAME.dcm" "$ARTIFACTS/image.png" || fail "dcmj2pnm cannot render the file"
note "real_station passed"
