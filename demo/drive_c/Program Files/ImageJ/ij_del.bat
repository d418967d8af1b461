#!/bin/sh
# Sample clean-up script: ij_del.bat <base name>
# Removes the raw file and the processed image (.TIF, or .DCM for lumenpoll-lite).
drive=$(cd "$(dirname "$0")/../.." && pwd) || exit 1
import="$drive/TOLVA/import"
base=$1
echo "$(date +%T) ij_del.bat $*" >>"$drive/TOLVA/scripts.log"
[ -n "$base" ] || exit 1

for f in "$import/$base".*; do
  case $f in *.[Nn][Ee][Ff] | *.[Tt][Ii][Ff] | *.[Dd][Cc][Mm]) rm -f "$f" ;; esac
done
