#!/usr/bin/env bash
# Exits 0 when Wine here can run the shipped 32-bit programs: the kernel runs 32-bit code and
# 32-bit Wine is installed (a machine whose package lists lack an i386 index may have the one
# without the other).
set -uo pipefail
"$(dirname "$0")/runs-32-bit.sh" && dpkg -s wine32:i386 >/dev/null 2>&1
