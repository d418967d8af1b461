#!/bin/sh
# Sample DICOM script for lumenpoll-lite: ij_dcm.bat <base name>
# Copies <base>.DCM from the import folder to the export folder.
drive=$(cd "$(dirname "$0")/../.." && pwd) || exit 1
import="$drive/TOLVA/import"
export="$drive/TOLVA/export"
base=$1
echo "$(date +%T) ij_dcm.bat $*" >>"$drive/TOLVA/scripts.log"

dcm=
for f in "$import/$base".*; do
  case $f in *.[Dd][Cc][Mm]) dcm=$f ;; esac
done
[ -n "$dcm" ] || exit 1

mkdir -p "$export" && cp "$dcm" "$export/.$base.part" &&
  mv "$export/.$base.part" "$export/$base.dcm"
