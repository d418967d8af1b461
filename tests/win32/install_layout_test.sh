#!/usr/bin/env bash
# install_layout on prefixes laid out by hand as each width of Wine makes them, for both
# widths of package: the folder and registry view the installer test looks in.
set -euo pipefail
# shellcheck source=tests/win32/install_layout.sh
source "$(dirname "$0")/install_layout.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/wow64/drive_c/windows/system32" "$work/wow64/drive_c/windows/syswow64" \
  "$work/win32/drive_c/windows/system32"

status=0
expect() {
  install_layout "$work/$1" "$2"
  if [ "$PROGRAM_FILES" != "$3" ] || [ "$REGISTRY_VIEW" != "$4" ]; then
    echo "a $2 package in a $1 prefix: $PROGRAM_FILES $REGISTRY_VIEW, not $3 $4"
    status=1
  fi
}
expect wow64 Intel "Program Files (x86)" /reg:32
expect wow64 x64 "Program Files" /reg:64
expect win32 Intel "Program Files" /reg:32
exit "$status"
