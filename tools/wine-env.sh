# Sourced by the Wine scripts: a Wine prefix inside the build folder, set to Windows XP, made once.
# Usage: source tools/wine-env.sh BUILD_FOLDER
WIN_BUILD=$(cd "$1" && pwd)
export WINEPREFIX="$WIN_BUILD/wineprefix" HOME="$WIN_BUILD/winehome" WINEDEBUG=-all \
       WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINEARCH=win32
mkdir -p "$HOME"

if [ ! -f "$WINEPREFIX/.vt-ready" ]; then
  echo "Setting up the Wine prefix (once per build folder)..."
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  wine reg add 'HKCU\Software\Wine' /v Version /d winxp /f >/dev/null 2>&1
  # Without this every message box takes two seconds to return under Xvfb.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  cp /usr/share/wine/fonts/{marlett,tahoma,tahomabd}.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wineserver -w
  touch "$WINEPREFIX/.vt-ready"
fi
