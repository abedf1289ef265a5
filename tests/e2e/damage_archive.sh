#!/bin/sh
# Copies a 7z archive and overwrites 32 bytes in the middle of its packed data, so the
# archive still opens but its items fail their CRC.
set -e
in="$1"; out="$2"
cp "$in" "$out"
size=$(stat -c %s "$out")
head -c 32 /dev/zero | tr '\0' '\125' | dd of="$out" bs=1 seek=$((size / 2)) conv=notrunc status=none
