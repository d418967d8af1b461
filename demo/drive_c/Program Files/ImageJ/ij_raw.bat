#!/bin/sh
# Sample raw script: ij_raw.bat <base name> <macro argument>
# A site runs ImageJ's raw macro here; this sample turns the raw file's bytes
# into <base>.TIF in the import folder a moment later.
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
# Written under a hidden name and renamed, so lumenpoll never sees half an image.
cp "$raw" "$import/.$base.part" && mv "$import/.$base.part" "$import/$base.TIF"
