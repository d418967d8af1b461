#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: unit, adapters and end
# to end on the default preset and the Windows programs under Wine, side by side; then the
# release and clang builds, then the fuzz targets briefly.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
# Checked once: the Windows part need not ask apt again (a mirror that fails an index would
# make it wait through the same tries).
export LUMENPOLL_PACKAGES_CHECKED=1
cmake --preset default
cmake --build --preset default -j "$(nproc)"
scripts/test-windows.sh build

# Both sets of tests mostly wait for the programs' timers, each on its own X server, drive
# and Wine prefix: run together, they take the time of the longer one. The Windows output
# follows the Linux one.
mkdir -p build
windows_log=build/windows-tests.log
scripts/test-windows.sh test >"$windows_log" 2>&1 &
windows_tests=$!
linux_status=0
ctest --preset default -j 1 || linux_status=$?
windows_status=0
wait "$windows_tests" || windows_status=$?
echo "== Windows tests (log: $windows_log)"
cat "$windows_log"
[ "$linux_status" -eq 0 ] || { echo "The Linux tests failed" >&2; exit 1; }
[ "$windows_status" -eq 0 ] || { echo "The Windows tests failed" >&2; exit 1; }

scripts/test-builds.sh
scripts/fuzz.sh
