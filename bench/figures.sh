#!/usr/bin/env bash
# Whole-program figures, each beside its reference measured in the same run, printed as a
# Markdown table:
#   - CPU a scan while waiting, with 100 to 100,000 entries in the import folder, against a
#     bare directory read of the same folder (opendir/readdir/closedir on Linux,
#     FindFirstFileA/FindNextFileA/FindClose for the Windows build);
#   - resident memory before and after one image went through the cycle, and at its peak;
#   - idle CPU with an empty import folder; start to mapped window.
#
#   bash bench/figures.sh [--windows] [SECONDS_PER_FIGURE]   (default 30; about 6 x that)
#
# Runs the program under its own Xvfb; with --windows the Windows build under Wine, in a
# prefix of its own, where the CPU of Wine's server is counted with the program's; the bare
# loop's figure is its wall time, which holds the server's share. CPU times are read from
# /proc/<pid>/task/*/schedstat (nanoseconds), not from timed tests.
set -euo pipefail

windows=false
if [ "${1:-}" == --windows ]; then
  windows=true
  shift
fi
readonly windows
readonly SECONDS_EACH=${1:-30}
REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
readonly REPO
if $windows; then BUILD="$REPO/build/figures-windows"; else BUILD="$REPO/build/figures"; fi
readonly BUILD
export WINEPREFIX="$BUILD/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if $windows; then DRIVE="$WINEPREFIX/drive_c"; else DRIVE="$BUILD/drive_c"; fi
readonly DRIVE
readonly IMPORT="$DRIVE/TOLVA/import"
readonly IMAGEJ="$DRIVE/Program Files/ImageJ"

die() { echo "figures: $*" >&2; exit 1; }

build() {
  local platform=(-DLUMENPOLL_DRIVE_C="$DRIVE") bare=bare_readdir
  if $windows; then
    platform=(--toolchain "$REPO/cmake/mingw-w64-x86_64.cmake")
    bare=bare_findfirst
  fi
  cmake -S "$REPO" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release "${platform[@]}" \
    -DLUMENPOLL_BUILD_TESTS=OFF -DLUMENPOLL_BUILD_BENCHMARKS=ON >"$BUILD.configure.log" 2>&1 ||
    die "configuring failed: $BUILD.configure.log"
  cmake --build "$BUILD" --target lumenpoll "$bare" -j "$(nproc)" >"$BUILD.build.log" 2>&1 ||
    die "build failed: $BUILD.build.log"
  if $windows; then
    bash "$REPO/scripts/wine-prefix.sh" setup >"$BUILD.prefix.log" 2>&1 ||
      die "no Wine prefix: $BUILD.prefix.log"
  fi
}

# Scripts that do what a station's do, at once: the raw script writes the processed image,
# the delete script removes the image's files.
stage_station() {
  rm -rf "$IMAGEJ" "$DRIVE/TOLVA"
  mkdir -p "$IMPORT" "$IMAGEJ"
  printf '[Canine]\r\nThorax LAT thorax_lat [8 60 4] [*10 62 5]\r\n[AUTOCLOSE]\r\nNO\r\n' \
    >"$IMAGEJ/macrolist.txt"
  printf '0 0\r\n' >"$IMAGEJ/macroset.txt"
  if $windows; then
    printf '@echo off\r\n' >"$IMAGEJ/ij_deldcm.bat"
    printf '@echo off\r\n' >"$IMAGEJ/ij_dcm.bat"
    printf '@echo off\r\ntype nul > "C:\\TOLVA\\import\\%%1.TIF"\r\n' >"$IMAGEJ/ij_raw.bat"
    printf '@echo off\r\ndel "C:\\TOLVA\\import\\%%1.NEF" "C:\\TOLVA\\import\\%%1.TIF"\r\n' \
      >"$IMAGEJ/ij_del.bat"
  else
    printf '#!/bin/sh\n' >"$IMAGEJ/ij_deldcm.bat"
    printf '#!/bin/sh\n' >"$IMAGEJ/ij_dcm.bat"
    # shellcheck disable=SC2016  # $1 is the script's own argument
    printf '#!/bin/sh\n: >"%s/$1.TIF"\n' "$IMPORT" >"$IMAGEJ/ij_raw.bat"
    # shellcheck disable=SC2016
    printf '#!/bin/sh\nrm -f "%s/$1.NEF" "%s/$1.TIF"\n' "$IMPORT" "$IMPORT" >"$IMAGEJ/ij_del.bat"
  fi
}

# fill N: exactly N entries in a new import folder, none of them a raw file. The folder is
# made anew: a folder that once held many entries stays as long to read on some file systems.
fill() {
  rm -rf "$IMPORT"
  mkdir "$IMPORT"
  (cd "$IMPORT" && seq -f 'IMG_%06g.JPG' 1 "$1" | xargs -r touch)
}

program_pid=""
# shellcheck source=scripts/xvfb.sh
source "$REPO/scripts/xvfb.sh"
cleanup() {
  [ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null || true
  if $windows; then wineserver -k 2>/dev/null || true; fi
  stop_xvfb
}
trap cleanup EXIT

# The process behind the shown window: under Wine the window's _NET_WM_PID, since a search by
# name can meet Wine's launcher while it still carries the program's name, and then the
# program would never be stopped.
shown_window_pid() { xdotool getwindowpid "$window_id"; }

# Starts the program; start_ms is the time from its start to its mapped window.
start_ms=0
start_program() {
  local t0 t1
  t0=$(date +%s%N)
  if $windows; then
    wine "$BUILD/app/lumenpoll.exe" >"$BUILD.program.out" 2>&1 &
  else
    "$BUILD/app/lumenpoll" >/dev/null 2>&1 &
  fi
  program_pid=$!
  until window_shown; do
    kill -0 "$program_pid" 2>/dev/null || die "the program ended"
    sleep 0.01
  done
  t1=$(date +%s%N)
  if $windows; then program_pid=$(shown_window_pid); fi
  start_ms=$(((t1 - t0) / 1000000))
}

stop_program() {
  kill "$program_pid" 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
  program_pid=""
  # The next start is timed to its own window, not to this one's.
  while window_shown; do sleep 0.05; done
}

# The CPU nanoseconds of the program, with Wine's server's for a Windows program: it does part
# of the work.
cpu_ns() {
  local pids=("$program_pid") server
  if $windows && server=$(pgrep -x wineserver | head -n 1) && [ -n "$server" ]; then
    pids+=("$server")
  fi
  local pid
  for pid in "${pids[@]}"; do cat /proc/"$pid"/task/*/schedstat; done |
    awk '{ s += $1 } END { printf "%.0f\n", s }'
}

# bare_read SECONDS PAUSE_MS: the bare directory read of the import folder for SECONDS,
# back to back (PAUSE_MS 0) or at the program's rhythm (1000); prints the microseconds one
# listing takes, and the entries.
bare_read() {
  if $windows; then
    wine "$BUILD/bench/bare_findfirst.exe" 'C:\TOLVA\import' "$1" "$2"
  else
    "$BUILD/bench/bare_readdir" "$IMPORT" "$1" "$2"
  fi
}
rss_kib() { awk '/^VmRSS:/ { print $2 }' /proc/"$program_pid"/status; }
peak_kib() { awk '/^VmHWM:/ { print $2 }' /proc/"$program_pid"/status; }

# cpu_us_a_second SECONDS: microseconds of program CPU a second over SECONDS of waiting.
cpu_us_a_second() {
  local before after
  before=$(cpu_ns)
  sleep "$1"
  after=$(cpu_ns)
  echo $(((after - before) / 1000 / $1))
}

# Sends one raw file through the cycle and waits until the import folder is back as it was.
one_image() {
  local entries=$1 deadline=$((SECONDS + 60))
  : >"$IMPORT/probe.NEF"
  while [ -e "$IMPORT/probe.NEF" ] || [ -e "$IMPORT/probe.TIF" ]; do
    [ "$SECONDS" -lt "$deadline" ] || die "the probe image was not processed with $entries entries"
    sleep 0.2
  done
  sleep 2
}

ms() { awk -v us="$1" 'BEGIN { printf "%.2f ms", us / 1000 }'; }
ratio() { awk -v p="$1" -v b="$2" 'BEGIN { printf "%.2f", p / b }'; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f MiB", k / 1024 }'; }

main() {
  bash "$REPO/scripts/install-deps.sh" || die "could not install the Debian packages (run as root)"
  mkdir -p "$BUILD"
  build
  stage_station
  start_xvfb "$BUILD.xvfb.log" 1024x768x24 || die "could not start Xvfb"
  # Wine's own processes, started while the prefix was made, have no display: they go, and
  # the server is kept running from here on, so that every figure counts the same server.
  if $windows; then
    wineserver -k 2>/dev/null || true
    setsid wineserver -p </dev/null >/dev/null 2>&1 &
  fi

  echo "Machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)"
  if $windows; then
    echo "Command: bash bench/figures.sh --windows $SECONDS_EACH ($(date -u +%Y-%m-%d), $(wine --version))"
  else
    echo "Command: bash bench/figures.sh $SECONDS_EACH ($(date -u +%Y-%m-%d))"
  fi
  echo
  echo "| Entries | Program CPU a scan | Bare read, once a second | Ratio |" \
    "Bare read, back to back | Ratio | RSS waiting | RSS after one image | Peak RSS |"
  echo "|---:|---:|---:|---:|---:|---:|---:|---:|---:|"
  local n program bare paced rss_before rss_after peak
  for n in 100 1000 10000 100000; do
    fill "$n"
    start_program
    sleep 3
    # The bare read at the program's rhythm runs beside it, so that both meet the same load.
    bare_read "$SECONDS_EACH" 1000 >"$BUILD.paced" &
    program=$(cpu_us_a_second "$SECONDS_EACH")
    wait $!
    paced=$(awk '{ print $1 }' "$BUILD.paced")
    rss_before=$(rss_kib)
    one_image "$n"
    rss_after=$(rss_kib)
    peak=$(peak_kib)
    stop_program
    bare=$(bare_read 5 0 | awk '{ print $1 }')
    echo "| $n | $(ms "$program") | $(ms "$paced") | $(ratio "$program" "$paced") |" \
      "$(ms "$bare") | $(ratio "$program" "$bare") | $(mib "$rss_before") | $(mib "$rss_after") |" \
      "$(mib "$peak") |"
  done

  fill 0
  local starts=() t
  for _ in 1 2 3 4 5; do
    start_program
    starts+=("$start_ms")
    stop_program
  done
  t=$(printf '%s\n' "${starts[@]}" | sort -n | sed -n 3p)
  start_program
  sleep 3
  local idle
  idle=$(cpu_us_a_second $((SECONDS_EACH * 2)))
  echo
  echo "| Waiting, empty import folder | Figure |"
  echo "|---|---:|"
  echo "| Idle CPU a second (over $((SECONDS_EACH * 2)) s) | $(ms "$idle") |"
  echo "| Peak RSS | $(mib "$(peak_kib)") |"
  echo "| Start to mapped window (median of 5) | $t ms |"
  stop_program
}

main
