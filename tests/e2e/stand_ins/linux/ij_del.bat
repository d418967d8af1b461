#!/bin/sh
# Test stand-in: records the call and the folder it started in (as the others do), then
# removes the raw file and every processed image (.TIF, .DCM, any case) of the given base
# name, exactly as written, from the import folder. stand_in.conf beside it may make one
# image's delete slow (del_delay_<base>, seconds) or fail (del_fails_<base>=1).
here=$(cd "$(dirname "$0")" && pwd) || exit 1
printf '%s\t%s\t%s\t%s\n' ij_del.bat "$#" "$*" "$(date +%s.%N)" >>"$here/calls.log"
pwd -P >>"$here/working_folders.log"
[ -n "$1" ] || exit 1
# shellcheck source=/dev/null
. "$here/stand_in.conf"
eval "delay=\${del_delay_$1:-0} fails=\${del_fails_$1:-}"
[ -z "$fails" ] || exit 1
sleep "$delay"
for f in "$here/../../TOLVA/import/$1".*; do
  case $f in *.[Nn][Ee][Ff] | *.[Tt][Ii][Ff] | *.[Dd][Cc][Mm]) rm -f "$f" ;; esac
done
