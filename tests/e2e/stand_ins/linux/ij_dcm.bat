#!/bin/sh
# Test stand-in: records the call in calls.log beside it (name, argument count, arguments, time)
# and the folder it started in in working_folders.log.
here=$(cd "$(dirname "$0")" && pwd) || exit 1
printf '%s\t%s\t%s\t%s\n' "$(basename "$0")" "$#" "$*" "$(date +%s.%N)" >>"$here/calls.log"
pwd -P >>"$here/working_folders.log"
