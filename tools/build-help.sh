#!/usr/bin/env bash
# Builds the help file from its HTML pages with chmcmd.
# Usage: tools/build-help.sh SOURCE_FOLDER OUTPUT_CHM
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$1"/. "$work"/
(cd "$work" && chmcmd zendrelhelp.hhp >/dev/null)
cp "$work/zendrelhelp.chm" "$2"
