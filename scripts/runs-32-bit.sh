#!/usr/bin/env bash
# Exits 0 when this machine's kernel runs 32-bit x86 programs, which 32-bit Wine needs (some
# kernels are built or booted without it: "32-bit emulation disabled" in their log). Tries a
# 93-byte 32-bit program that only exits.
set -uo pipefail
probe=$(mktemp)
trap 'rm -f "$probe"' EXIT
printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0\0\0\0\0\0\0\0\0' >"$probe"
printf '\64\0\40\0\1\0\50\0\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\135\0\0\0\135\0\0\0' >>"$probe"
printf '\5\0\0\0\0\20\0\0\270\1\0\0\0\61\333\315\200' >>"$probe"
chmod +x "$probe"
"$probe" 2>/dev/null
