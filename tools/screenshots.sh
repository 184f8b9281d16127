#!/usr/bin/env bash
# Regenerates the README's pictures (main-window.png, tray-menu.png, main-window-150.png) from a
# real run of the program under Wine and Xvfb, with the demo settings file and simulated adapters.
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
# Wine ends inside the X session: its helpers would complain of the lost display otherwise. The
# main window again at 150 % (144 DPI), on a screen it fits.
take() {  # DPI SCREEN OUT
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -w
  mkdir -p "$3"
  xvfb-run -a -s "-screen 0 ${2}x24" bash -c 'wine "$0" "$1" "$2"; status=$?; wineserver -k; exit $status' \
    "$WIN_BUILD/vt_screenshots.exe" "$(winepath -w "$demo")" "$(winepath -w "$3")"
}
take 144 2048x1536 "$demo/out150"
take 96 1024x768 "$demo/out"
cp "$demo/out150/main-window.bmp" "$demo/out/main-window-150.bmp"
for name in main-window tray-menu main-window-150; do
  # No time or tool names in the files: the same pictures give the same bytes.
  convert "$demo/out/$name.bmp" -strip "PNG24:$docs/$name.png"
  echo "screenshots: $(realpath --relative-to=. "$docs/$name.png")"
done
