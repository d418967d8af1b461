#!/bin/sh
# Sample DICOM script: ij_dcm.bat <base name>
# Makes <base>.dcm in the export folder from the processed image <base>.TIF.
drive=$(cd "$(dirname "$0")/../.." && pwd) || exit 1
import="$drive/TOLVA/import"
export="$drive/TOLVA/export"
base=$1
echo "$(date +%T) ij_dcm.bat $*" >>"$drive/TOLVA/scripts.log"

tif=
for f in "$import/$base".*; do
  case $f in *.[Tt][Ii][Ff]) tif=$f ;; esac
done
[ -n "$tif" ] || exit 1

# A DICOM file opens with a 128-byte preamble and "DICM"; the image bytes follow.
mkdir -p "$export" || exit 1
{ dd if=/dev/zero bs=128 count=1 2>/dev/null; printf 'DICM'; cat "$tif"; } >"$export/.$base.part" &&
  mv "$export/.$base.part" "$export/$base.dcm"
