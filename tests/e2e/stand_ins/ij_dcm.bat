#!/bin/sh
# Test stand-in: records the call in <drive>/calls.log (name, argument count, arguments, time).
drive=$(cd "$(dirname "$0")/../.." && pwd) || exit 1
printf '%s\t%s\t%s\t%s\n' ij_dcm.bat "$#" "$*" "$(date +%s.%N)" >>"$drive/calls.log"
