#!/usr/bin/env bash
# The Windows part of the test command: cross-builds the shipped 32-bit lumenpoll.exe,
# lumenpoll-lite.exe, lumenpoll-check.exe, their ZIP and installer, and the test programs
# with mingw-w64 (preset windows), then runs them under Wine and Xvfb in a Wine prefix of the
# build tree: the core's unit tests, the adapter tests, the installer, end to end.
#
# A kernel without 32-bit support runs no 32-bit Wine: there the shipped programs are checked
# without running them, and the tests run on the same sources built 64-bit (windows-x64).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset windows
if scripts/runs-32-bit.sh; then
  cmake --build --preset windows -j "$(nproc)"
  ctest --preset windows -j 1
  exit
fi
echo "This machine's kernel runs no 32-bit programs, so Wine cannot run the shipped 32-bit"
echo "programs here: checking them as built, then testing the same sources built 64-bit."
cmake --build --preset windows -j "$(nproc)" \
  --target lumenpoll lumenpoll-lite lumenpoll-check lumenpoll-msi
ctest --preset windows-shipped -j 1
cmake --preset windows-x64
cmake --build --preset windows-x64 -j "$(nproc)"
ctest --preset windows-x64 -j 1
