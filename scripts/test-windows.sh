#!/usr/bin/env bash
# The Windows part of the test command: cross-builds lumenpoll.exe, lumenpoll-lite.exe,
# lumenpoll-check.exe and the test programs with mingw-w64 (preset windows), then runs them
# under Wine and Xvfb in a Wine prefix of the build tree: the core's unit tests, the adapter
# tests, end to end.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset windows
cmake --build --preset windows -j "$(nproc)"
ctest --preset windows -j 1
