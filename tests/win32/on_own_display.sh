#!/usr/bin/env bash
# on_own_display.sh PROGRAM.exe: runs a Windows test program under Wine on an X server of its
# own. Wine's desktop process serves the display it was started on, and the prefix's was
# started without one: it is ended before the program, and with the X server after it.
set -uo pipefail
# shellcheck source=scripts/xvfb.sh
source "$(dirname "$0")/../../scripts/xvfb.sh"
log=$(mktemp)
trap 'wineserver -k 2>/dev/null; stop_xvfb; rm -f "$log"' EXIT
start_xvfb "$log" 1024x768x24 || { cat "$log" >&2; echo "could not start Xvfb" >&2; exit 1; }
wineserver -k 2>/dev/null || true
wine "$1"
