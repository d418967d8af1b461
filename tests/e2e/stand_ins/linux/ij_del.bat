#!/bin/sh
# Test stand-in: records the call and the folder it started in (as the others do), then
# removes the raw file and every processed image (.TIF, .DCM, any case) of the given base
# name from the import folder.
here=$(cd "$(dirname "$0")" && pwd) || exit 1
printf '%s\t%s\t%s\t%s\n' ij_del.bat "$#" "$*" "$(date +%s.%N)" >>"$here/calls.log"
pwd -P >>"$here/working_folders.log"
[ -n "$1" ] || exit 1
for f in "$here/../../TOLVA/import/$1".*; do
  case $f in *.[Nn][Ee][Ff] | *.[Tt][Ii][Ff] | *.[Dd][Cc][Mm]) rm -f "$f" ;; esac
done
