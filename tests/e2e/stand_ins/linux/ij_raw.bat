#!/bin/sh
# Test stand-in: records the call and the folder it started in (as the others do), then
# writes <base>.<processed> into the import folder.
# stand_in.conf beside it sets processed (TIF or DCM), may set raw_delay (seconds until the
# processed image appears; raw_delay_<base> for one image) and may set a decoy extension: a
# decoy file is written first,
# then the real one decoy_lead seconds later, so an edition that takes the wrong extension
# runs the DICOM script before the real file is logged as written.
here=$(cd "$(dirname "$0")" && pwd) || exit 1
log="$here/calls.log"
import="$here/../../TOLVA/import"
printf '%s\t%s\t%s\t%s\n' ij_raw.bat "$#" "$*" "$(date +%s.%N)" >>"$log"
pwd -P >>"$here/working_folders.log"

processed=TIF decoy="" decoy_lead=7 raw_delay=1
# shellcheck source=/dev/null
. "$here/stand_in.conf"
base=$1
eval "raw_delay=\${raw_delay_$base:-$raw_delay}"
if [ -n "$decoy" ]; then
  printf 'wrote\t1\t%s\t%s\n' "$base.$decoy" "$(date +%s.%N)" >>"$log"
  : >"$import/$base.$decoy"
  sleep "$decoy_lead"
else
  sleep "$raw_delay"
fi
# Logged before it appears, so the log order matches what the program can see.
printf 'wrote\t1\t%s\t%s\n' "$base.$processed" "$(date +%s.%N)" >>"$log"
echo "processed $base" >"$import/.$base.part" && mv "$import/.$base.part" "$import/$base.$processed"
