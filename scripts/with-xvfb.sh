#!/usr/bin/env bash
# with-xvfb.sh COMMAND...: runs COMMAND against an X server of its own, then stops the server.
set -uo pipefail
# shellcheck source=scripts/xvfb.sh
source "$(dirname "$0")/xvfb.sh"

log=$(mktemp)
trap 'stop_xvfb; rm -f "$log"' EXIT
start_xvfb "$log" 1024x768x24 || { cat "$log" >&2; echo "could not start Xvfb" >&2; exit 1; }
"$@"
