#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: unit, adapters and end to
# end on the default preset, then the release and clang builds, then the fuzz targets briefly,
# then the Windows programs, cross-built and tested under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default
cmake --build --preset default -j "$(nproc)"
ctest --preset default -j 1
scripts/test-builds.sh
scripts/fuzz.sh
scripts/test-windows.sh
