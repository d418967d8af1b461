#!/usr/bin/env bash
# Whole-program figures of the Linux build, each beside its reference measured in the same
# run, printed as a Markdown table:
#   - CPU a scan while waiting, with 100 to 100,000 entries in the import folder, against a
#     bare opendir/readdir/closedir loop over the same folder;
#   - resident memory before and after one image went through the cycle;
#   - idle CPU with an empty import folder; start to mapped window.
#
#   bash bench/figures.sh [SECONDS_PER_FIGURE]     (default 30; takes about 6 x that)
#
# Runs the program under its own Xvfb. CPU times are read from /proc/<pid>/task/*/schedstat
# (nanoseconds), not from timed tests.
set -euo pipefail

readonly SECONDS_EACH=${1:-30}
REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
readonly REPO
readonly BUILD="$REPO/build/figures"
readonly DRIVE="$BUILD/drive_c"
readonly IMPORT="$DRIVE/TOLVA/import"
readonly IMAGEJ="$DRIVE/Program Files/ImageJ"
readonly CAPTION="Velmora Imaging Processing"

die() { echo "figures: $*" >&2; exit 1; }

build() {
  cmake -S "$REPO" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DLUMENPOLL_DRIVE_C="$DRIVE" \
    -DLUMENPOLL_BUILD_TESTS=OFF -DLUMENPOLL_BUILD_BENCHMARKS=ON >"$BUILD.configure.log" 2>&1 ||
    die "configuring failed: $BUILD.configure.log"
  cmake --build "$BUILD" --target lumenpoll bare_readdir -j "$(nproc)" >"$BUILD.build.log" 2>&1 ||
    die "build failed: $BUILD.build.log"
}

# Scripts that do what a station's do, at once: the raw script writes the processed image,
# the delete script removes the image's files.
stage_station() {
  rm -rf "$DRIVE"
  mkdir -p "$IMPORT" "$IMAGEJ"
  printf '[Canine]\r\nThorax LAT thorax_lat [8 60 4] [*10 62 5]\r\n[AUTOCLOSE]\r\nNO\r\n' \
    >"$IMAGEJ/macrolist.txt"
  printf '0 0\r\n' >"$IMAGEJ/macroset.txt"
  printf '#!/bin/sh\n' >"$IMAGEJ/ij_deldcm.bat"
  printf '#!/bin/sh\n' >"$IMAGEJ/ij_dcm.bat"
  printf '#!/bin/sh\n: >"%s/$1.TIF"\n' "$IMPORT" >"$IMAGEJ/ij_raw.bat"
  printf '#!/bin/sh\nrm -f "%s/$1.NEF" "%s/$1.TIF"\n' "$IMPORT" "$IMPORT" >"$IMAGEJ/ij_del.bat"
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
  stop_xvfb
}
trap cleanup EXIT

window_shown() { xdotool search --onlyvisible --name "^$CAPTION\$" >/dev/null 2>&1; }

# Starts the program and prints the milliseconds from its start to its mapped window.
start_program() {
  local t0 t1
  t0=$(date +%s%N)
  "$BUILD/app/lumenpoll" >/dev/null 2>&1 &
  program_pid=$!
  until window_shown; do
    kill -0 "$program_pid" 2>/dev/null || die "the program ended"
    sleep 0.01
  done
  t1=$(date +%s%N)
  echo $(((t1 - t0) / 1000000))
}

stop_program() {
  kill "$program_pid" 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
  program_pid=""
}

cpu_ns() { cat /proc/"$program_pid"/task/*/schedstat | awk '{ s += $1 } END { printf "%.0f\n", s }'; }
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
mib() { awk -v k="$1" 'BEGIN { printf "%.1f MiB", k / 1024 }'; }

main() {
  mkdir -p "$BUILD"
  build
  stage_station
  start_xvfb "$BUILD.xvfb.log" 1024x768x24 || die "could not start Xvfb"

  echo "Machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)"
  echo "Command: bash bench/figures.sh $SECONDS_EACH ($(date -u +%Y-%m-%d))"
  echo
  echo "| Entries | Program CPU a scan | Bare readdir loop | Ratio | RSS waiting | RSS after one image |"
  echo "|---:|---:|---:|---:|---:|---:|"
  local n program bare ratio rss_before
  for n in 100 1000 10000 100000; do
    fill "$n"
    start_program >/dev/null
    sleep 3
    program=$(cpu_us_a_second "$SECONDS_EACH")
    rss_before=$(rss_kib)
    one_image "$n"
    bare=$("$BUILD/bench/bare_readdir" "$IMPORT" 5 | awk '{ print $1 }')
    ratio=$(awk -v p="$program" -v b="$bare" 'BEGIN { printf "%.2f", p / b }')
    echo "| $n | $(ms "$program") | $(ms "$bare") | $ratio | $(mib "$rss_before") | $(mib "$(rss_kib)") |"
    stop_program
  done

  fill 0
  local starts=() t
  for _ in 1 2 3 4 5; do
    starts+=("$(start_program)")
    stop_program
  done
  t=$(printf '%s\n' "${starts[@]}" | sort -n | sed -n 3p)
  start_program >/dev/null
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
