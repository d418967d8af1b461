#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: unit, adapters and end
# to end on the default preset and the Windows programs under Wine, side by side; beside
# them, at the lowest priority, the release and clang builds and the fuzz targets briefly.
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
# The builds nobody makes by hand every day and the fuzz targets need only the processors,
# which the tests leave idle while they wait for the programs' timers: they run beside them,
# niced, so that the programs under test are not kept waiting.
others_log=build/other-builds.log
(nice -n 19 scripts/test-builds.sh && nice -n 19 scripts/fuzz.sh) >"$others_log" 2>&1 &
others=$!
linux_status=0
ctest --preset default -j 1 || linux_status=$?
windows_status=0
wait "$windows_tests" || windows_status=$?
others_status=0
wait "$others" || others_status=$?
echo "== Windows tests (log: $windows_log)"
cat "$windows_log"
echo "== Release and clang builds, fuzz targets (log: $others_log)"
cat "$others_log"
[ "$linux_status" -eq 0 ] || { echo "The Linux tests failed" >&2; exit 1; }
[ "$windows_status" -eq 0 ] || { echo "The Windows tests failed" >&2; exit 1; }
[ "$others_status" -eq 0 ] || { echo "The release or clang build or a fuzz target failed" >&2; exit 1; }
