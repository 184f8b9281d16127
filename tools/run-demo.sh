#!/usr/bin/env bash
# Starts the program under Wine from a demo folder with a demo settings file and simulated adapters.
# With no display it runs under Xvfb, saves a screenshot and prints its path.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# The 32-bit build where this machine can run it, else the 64-bit one.
arch=$("$here/wine-arches.sh" | tail -n 1)
[ -n "$arch" ] || { echo "run-demo: this machine can run no Wine (neither wine64 nor wine32 starts)" >&2; exit 1; }
echo "Starting the $arch build under Wine"
source "$here/wine-env.sh" "$1/$arch" "$arch"
demo="$WIN_BUILD/demo"
mkdir -p "$demo"
cp "$WIN_BUILD/VelmoraTarvello.exe" "$demo/"
cp "$here/../demo/LocalSettings.Ini" "$demo/"
cd "$demo"
# The simulated adapters live in the prefix's registry.
wine regedit /S "$(winepath -w "$here/../demo/adapters.reg")" >/dev/null 2>&1

if [ -n "${DISPLAY:-}" ]; then
  exec wine ./VelmoraTarvello.exe "$@"
fi

shot="$WIN_BUILD/demo-screenshot.png"
xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
  wine ./VelmoraTarvello.exe &
  for i in $(seq 1 50); do sleep 0.2; xwininfo -root -tree 2>/dev/null | grep -q "Velmora Tarvello 1.50" && break; done
  sleep 1
  id=$(xwininfo -root -tree 2>/dev/null | grep "Velmora Tarvello 1.50" | head -n 1 | awk "{print \$1}")
  import -window "${id:-root}" "'"$shot"'"
  wineserver -k
'
echo "No display: the program ran under Xvfb. Screenshot: $shot"
