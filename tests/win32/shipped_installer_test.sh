#!/usr/bin/env bash
# shipped_installer_test.sh INSTALLER.msi PLATFORM VERSION PROGRAM.exe...: what can be seen of
# the installer without running it: its platform (Intel for the shipped 32-bit one), its
# version, that it carries exactly the programs built beside it, byte for byte in size, and
# what Wine's installer does not act on as Windows does: no restart ever, the installed
# version removed inside the install's transaction (so a failed install rolls back to it),
# and the autostart and Start-menu entries following AUTOSTART on a reinstall.
set -euo pipefail
readonly MSI=$1 TEMPLATE="$2;1033" VERSION=$3
shift 3
status=0
problem() { echo "$MSI: $*"; status=1; }
# table NAME: the table's rows, without its three header lines.
table() { msiinfo export "$MSI" "$1" | tr -d '\r' | tail -n +4; }
property() { table Property | awk -F'\t' -v p="$1" '$1 == p { print $2 }'; }

template=$(msiinfo suminfo "$MSI" | tr -d '\r' | sed -n 's/^Template: //p')
[ "$template" == "$TEMPLATE" ] || problem "template $template, not $TEMPLATE"
files=$(table File)
for program in "$@"; do
  name=$(basename "$program")
  size=$(awk -F'\t' -v n="$name" '$3 == n { print $4 }' <<<"$files")
  [ "$size" == "$(stat -c %s "$program")" ] ||
    problem "$name is ${size:-missing}, the built one $(stat -c %s "$program") bytes"
done

[ "$(property ProductVersion)" == "$VERSION" ] ||
  problem "ProductVersion $(property ProductVersion), not $VERSION"
[ "$(property REBOOT)" == ReallySuppress ] ||
  problem "REBOOT is \"$(property REBOOT)\": a silent install may restart the station"

# The action that follows InstallInitialize in the sequence.
after_initialize=$(table InstallExecuteSequence | sort -t$'\t' -k3,3n |
  awk -F'\t' 'found { print $1; exit } $1 == "InstallInitialize" { found = 1 }')
[ "$after_initialize" == RemoveExistingProducts ] ||
  problem "${after_initialize:-nothing} follows InstallInitialize, not RemoveExistingProducts"

# Every shortcut is in a component of its own in the Start menu or the Startup folder, and that
# component is conditioned on AUTOSTART and transitive (64).
# Fields are split at a separator that is no blank, so that an empty one counts.
readonly US=$'\x1f'
declare -A component_row
while IFS=$US read -r component row; do
  component_row[$component]=$row
done < <(table Component | tr '\t' "$US")
shortcuts=0
while IFS=$US read -r shortcut _ _ component _; do
  shortcuts=$((shortcuts + 1))
  IFS=$US read -r _ directory attributes condition _ <<<"${component_row[$component]:-}"
  if [ "$directory" != ProgramMenuFolder ] && [ "$directory" != StartupFolder ]; then
    problem "the shortcut $shortcut is in the component $component of ${directory:-no folder}"
    continue
  fi
  ((attributes & 64)) || problem "$component is not transitive (attributes $attributes)"
  [[ $condition == *AUTOSTART* ]] || problem "$component has the condition \"$condition\""
done < <(table Shortcut | tr '\t' "$US")
[ "$shortcuts" -eq 4 ] || problem "$shortcuts shortcuts, not the 4 entries"
exit "$status"
