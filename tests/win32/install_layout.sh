# shellcheck shell=bash
# Where Windows Installer puts a package in a Wine prefix, the way it decides it: the
# package's platform (its summary's template) against the system's width (a 64-bit system
# has SysWOW64). A 32-bit package on a 64-bit system gets the 32-bit Program Files folder
# and the 32-bit view of the registry (WOW6432Node); anything else the system's own.

# msi_platform MSI: Intel, x64 or Arm64, as the package's template names it.
msi_platform() {
  msiinfo suminfo "$1" | tr -d '\r' | sed -n 's/^Template: \([^;]*\);.*/\1/p'
}

# install_layout PREFIX PLATFORM: sets PROGRAM_FILES (the folder's name under C:, as the
# package's [ProgramFilesFolder] or [ProgramFiles64Folder] resolves) and REGISTRY_VIEW (the
# reg.exe option of the view its HKLM\Software keys land in: a 32-bit package's is the 32-bit
# one, the only one on a 32-bit system).
install_layout() {
  local prefix=$1 platform=$2
  PROGRAM_FILES="Program Files"
  if [ -d "$prefix/drive_c/windows/syswow64" ] && [ "$platform" == Intel ]; then
    PROGRAM_FILES="Program Files (x86)"
  fi
  REGISTRY_VIEW=/reg:64
  if [ "$platform" == Intel ]; then REGISTRY_VIEW=/reg:32; fi
}
