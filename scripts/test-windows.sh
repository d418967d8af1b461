#!/usr/bin/env bash
# The Windows part of the test command: cross-builds the shipped 32-bit lumenpoll.exe,
# lumenpoll-lite.exe, lumenpoll-check.exe, their ZIP and installer, and the test programs
# with mingw-w64 (preset windows), then runs them under Wine and Xvfb in a Wine prefix of the
# build tree: the core's unit tests, the adapter tests, the installer, end to end.
#
# Where Wine runs no 32-bit programs (a kernel without 32-bit support, or no 32-bit Wine in
# the package lists), the shipped programs are checked without running them, and the tests
# run on the same sources built 64-bit (windows-x64).
#
#   test-windows.sh [build|test]    both when not told; the test command builds first and
#                                   tests beside the Linux tests
set -euo pipefail
cd "$(dirname "$0")/.."
readonly STEP=${1:-all}

build() {
  scripts/install-deps.sh
  cmake --preset windows
  if scripts/wine-runs-32-bit.sh; then
    cmake --build --preset windows -j "$(nproc)"
  else
    cmake --build --preset windows -j "$(nproc)" \
      --target lumenpoll lumenpoll-lite lumenpoll-check lumenpoll-msi
    cmake --preset windows-x64
    cmake --build --preset windows-x64 -j "$(nproc)"
  fi
}

run_tests() {
  if scripts/wine-runs-32-bit.sh; then
    ctest --preset windows -j 1
    return
  fi
  if scripts/runs-32-bit.sh; then
    echo "32-bit Wine is not installed here, so Wine cannot run the shipped 32-bit programs:"
  else
    echo "This machine's kernel runs no 32-bit programs, so Wine cannot run the shipped 32-bit"
    echo "programs here:"
  fi
  echo "checking them as built, then testing the same sources built 64-bit."
  ctest --preset windows-shipped -j 1
  ctest --preset windows-x64 -j 1
}

case $STEP in
  build) build ;;
  test) run_tests ;;
  all) build && run_tests ;;
  *) echo "usage: $0 [build|test]" >&2; exit 2 ;;
esac
