#!/bin/sh
# Sample raw script for lumenpoll-lite: ij_raw.bat <base name> <macro argument>
# Here ImageJ writes the DICOM file itself: <base>.DCM appears in the import
# folder a moment later, which is what lumenpoll-lite waits for.
drive=$(cd "$(dirname "$0")/../.." && pwd) || exit 1
import="$drive/TOLVA/import"
base=$1
echo "$(date +%T) ij_raw.bat $*" >>"$drive/TOLVA/scripts.log"

raw=
for f in "$import/$base".*; do
  case $f in *.[Nn][Ee][Ff]) raw=$f ;; esac
done
[ -n "$raw" ] || exit 1

sleep 1
# A DICOM file opens with a 128-byte preamble and "DICM"; the image bytes follow.
{ dd if=/dev/zero bs=128 count=1 2>/dev/null; printf 'DICM'; cat "$raw"; } >"$import/.$base.part" &&
  mv "$import/.$base.part" "$import/$base.DCM"
