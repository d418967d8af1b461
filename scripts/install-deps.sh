#!/usr/bin/env bash
# Installs, through apt-get, the Debian packages that building, running and testing need.
# Does nothing when they are all there. Needs root on a machine that lacks some.
set -euo pipefail

packages=(
  g++ clang libclang-rt-14-dev make cmake git
  libfltk1.3-dev libjpeg62-turbo-dev fonts-dejavu-core fonts-dejavu-extra
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils xdotool imagemagick procps
  imagej dcmtk dcraw
  dpkg-dev file
  # The Windows programs: cross compiler, GoogleTest's sources, Wine and its fonts.
  g++-mingw-w64-x86-64-posix googletest wine wine64 fonts-wine
)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
