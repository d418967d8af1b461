#!/usr/bin/env bash
# The builds nobody makes by hand every day, so that a build type or compiler cannot break
# a user's build unseen: Release (-O3) with GCC and the whole tree with clang, each with
# warnings as errors and its unit and adapter tests (the end-to-end ones run in the default
# build). Each stage prints its wall time.
set -euo pipefail
cd "$(dirname "$0")/.."

stage() {
  local preset=$1 start=$SECONDS
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
  ctest --preset "$preset" -j "$(nproc)"
  echo "== $preset build and tests: $((SECONDS - start)) s"
}

stage release
stage clang
