#!/usr/bin/env bash
# Installs, through apt-get, the Debian packages that building, running and testing need.
# Does nothing when they are all there, or when its caller has run it already
# (LUMENPOLL_PACKAGES_CHECKED set). Needs root on a machine that lacks some.
set -euo pipefail
[ -z "${LUMENPOLL_PACKAGES_CHECKED:-}" ] || exit 0

packages=(
  g++ clang libclang-rt-14-dev make cmake git
  libfltk1.3-dev libjpeg62-turbo-dev libsystemd-dev fonts-dejavu-core fonts-dejavu-extra
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils xdotool imagemagick procps
  imagej dcmtk dcraw
  dpkg-dev file
  # The Windows programs: cross compilers (32-bit ships; 64-bit runs the tests where 32-bit
  # code cannot run), GoogleTest's sources, the installer's builder, Wine and its fonts.
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix googletest wixl msitools
  wine wine64 fonts-wine locales
)
# 32-bit Wine, for the shipped 32-bit programs, where the kernel runs 32-bit code. Elsewhere
# it must stay away: Debian's wine command would pick it and fail for every program.
new_architecture=false
if "$(dirname "$0")/runs-32-bit.sh"; then
  packages+=(wine32:i386)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    new_architecture=true
  fi
fi

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if $new_architecture; then dpkg --add-architecture i386; fi
# A mirror in mid-sync can fail one index while the others are fine; try again, then go on with
# what came: the install below says so plainly if a package it needs is still out of reach.
for attempt in 1 2 3; do
  apt-get update -q && break
  if [ "$attempt" -eq 3 ]; then
    echo "Some package lists could not be fetched; installing from the ones that came." >&2
  else
    sleep 10
  fi
done
apt_install() { apt-get install -y -q --no-install-recommends "$@"; }
apt_install "${missing[@]}" && exit 0
# 32-bit Wine needs i386 twins of the machine's own libraries at the same versions; without
# a current i386 index there are none. The Windows tests then take the 64-bit way.
[[ " ${missing[*]} " == *" wine32:i386 "* ]] || exit 1
echo "32-bit Wine cannot be installed from these package lists; going on without it." >&2
rest=()
for p in "${missing[@]}"; do [ "$p" = wine32:i386 ] || rest+=("$p"); done
if [ ${#rest[@]} -gt 0 ]; then apt_install "${rest[@]}"; fi
if $new_architecture; then dpkg --remove-architecture i386 || true; fi
