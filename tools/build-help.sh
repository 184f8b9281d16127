#!/usr/bin/env bash
# Builds the help file from its HTML pages with chmcmd, with its two build times set to zero so
# that the same pages always give the same bytes.
# Usage: tools/build-help.sh SOURCE_FOLDER OUTPUT_CHM
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$1"/. "$work"/
# Quiet unless it fails: it prints its banner on every run.
(cd "$work" && chmcmd zendrelhelp.hhp >"$work/chmcmd.log" 2>&1) || { cat "$work/chmcmd.log" >&2; exit 1; }
chm="$work/zendrelhelp.chm"
zero() { printf '\0\0\0\0' | dd of="$chm" bs=1 seek="$1" count=4 conv=notrunc status=none; }
zero 16  # the ITSF header's time stamp
# The #SYSTEM file's entry 10 (the time stamp, 4 bytes), just before entry 9 (the compiler).
hex=$(od -An -v -tx1 "$chm" | tr -d ' \n')
match=$(printf '%s' "$hex" | grep -ob '0a000400[0-9a-f]\{8\}0900' | head -n 1 | cut -d: -f1)
[ -n "$match" ] && [ $((match % 2)) -eq 0 ] || { echo "build-help: no time stamp entry found" >&2; exit 1; }
zero $((match / 2 + 4))
cp "$chm" "$2"
