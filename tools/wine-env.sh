# Sourced by the Wine scripts: a Wine prefix inside the build folder, set to Windows XP, made once.
# Usage: source tools/wine-env.sh BUILD_FOLDER ARCH      (ARCH: win32 or win64)
# Puts wrappers named wine, wineserver, wineboot and winepath first on PATH that call the loader
# of that architecture by its path: /usr/bin/wine prefers the 32-bit loader whenever it is
# installed, also on kernels that cannot run it.
WIN_BUILD=$(cd "$1" && pwd)
WIN_ARCH=$2; export WIN_ARCH
case "$WIN_ARCH" in
  win32) wine_loader=/usr/lib/wine/wine;   wine_version=winxp ;;
  win64) wine_loader=/usr/lib/wine/wine64; wine_version=winxp64 ;;  # 5.2: passes the version gate
  *) echo "wine-env.sh: unknown architecture '$WIN_ARCH'" >&2; return 2 ;;
esac
wine_server=/usr/lib/wine/wineserver64
[ -x "$wine_server" ] || wine_server=/usr/lib/wine/wineserver32

export WINEPREFIX="$WIN_BUILD/wineprefix" HOME="$WIN_BUILD/winehome" WINEDEBUG=-all \
       WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINEARCH="$WIN_ARCH" \
       WINELOADER="$wine_loader" WINESERVER="$wine_server"
mkdir -p "$HOME" "$WIN_BUILD/winebin"
printf '#!/bin/sh\nexec %s "$@"\n' "$wine_loader" > "$WIN_BUILD/winebin/wine"
printf '#!/bin/sh\nexec %s "$@"\n' "$wine_server" > "$WIN_BUILD/winebin/wineserver"
for program in wineboot winepath regedit; do
  printf '#!/bin/sh\nexec %s %s "$@"\n' "$wine_loader" "$program" > "$WIN_BUILD/winebin/$program"
done
chmod +x "$WIN_BUILD"/winebin/*
export PATH="$WIN_BUILD/winebin:$PATH"

if [ ! -f "$WINEPREFIX/.vt-ready" ]; then
  echo "Setting up the $WIN_ARCH Wine prefix (once per build folder)..."
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  wine reg add 'HKCU\Software\Wine' /v Version /d "$wine_version" /f >/dev/null 2>&1
  # Without this every message box takes two seconds to return under Xvfb.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  cp /usr/share/wine/fonts/{marlett,tahoma,tahomabd}.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wineserver -w
  touch "$WINEPREFIX/.vt-ready"
fi
