#!/usr/bin/env bash
# Regenerates the README's pictures (main-window.png, tray-menu.png) from a real run of the
# program under Wine and Xvfb, with the demo settings file and simulated adapters.
# Usage: tools/screenshots.sh BUILD [OUTPUT_FOLDER, by default docs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
docs=${2:-$here/../docs}
arch=$("$here/wine-arches.sh" | tail -n 1)
[ -n "$arch" ] || { echo "screenshots: this machine can run no Wine" >&2; exit 1; }
source "$here/wine-env.sh" "$1/$arch" "$arch"
demo="$WIN_BUILD/screenshots"
rm -rf "$demo"
mkdir -p "$demo/out"
cp "$here/../demo/LocalSettings.Ini" "$demo/"
wine regedit /S "$(winepath -w "$here/../demo/adapters.reg")" >/dev/null 2>&1
# Wine ends inside the X session: its helpers would complain of the lost display otherwise.
xvfb-run -a -s "-screen 0 ${SCREEN:-1024x768}x24" bash -c 'wine "$0" "$1" "$2"; status=$?; wineserver -k; exit $status' \
  "$WIN_BUILD/vt_screenshots.exe" "$(winepath -w "$demo")" "$(winepath -w "$demo/out")"
for name in main-window tray-menu; do
  # No time or tool names in the files: the same pictures give the same bytes.
  convert "$demo/out/$name.bmp" -strip "PNG24:$docs/$name.png"
  echo "screenshots: $(realpath --relative-to=. "$docs/$name.png")"
done
