#!/usr/bin/env bash
# Fails when the README's pictures are not what the current code shows: takes them again and
# compares pixel by pixel.
# Usage: tests/release/screenshots-check.sh BUILD
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
fresh=$(mktemp -d)
trap 'rm -rf "$fresh"' EXIT
"$root/tools/screenshots.sh" "$1" "$fresh" >/dev/null
status=0
for name in main-window tray-menu main-window-150; do
  differing=$(compare -metric AE "$root/docs/$name.png" "$fresh/$name.png" null: 2>&1) || true
  if [ "$differing" != 0 ]; then
    echo "screenshots: docs/$name.png is not what the program shows now ($differing pixels differ): run make screenshots"
    status=1
  fi
done
[ $status -eq 0 ] && echo "screenshots: the README's pictures are what the program shows"
exit $status
