#!/bin/sh
# Sample start-up script: ij_deldcm.bat (no arguments).
# Clears the DICOM export folder of the previous session.
# lumenpoll starts the scripts in its own working folder, so the station's
# drive folder is found from this script's location: <drive>/Program Files/ImageJ.
drive=$(cd "$(dirname "$0")/../.." && pwd) || exit 1
echo "$(date +%T) ij_deldcm.bat" >>"$drive/TOLVA/scripts.log"

mkdir -p "$drive/TOLVA/export" && rm -f "$drive/TOLVA/export"/*
