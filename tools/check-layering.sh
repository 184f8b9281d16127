#!/usr/bin/env bash
# Fails when a file outside a win32/ folder includes a Windows header, or when an include points
# up the layers: ui -> core -> net -> platform -> base (controls beside core, under ui; the
# Explorer extension, shellext, beside ui).
cd "${1:-.}" || exit 2
status=0

hits=$(grep -rnE '#\s*include\s*[<"](windows|winreg|winbase|winuser|setupapi|iphlpapi|shlobj|commctrl|objbase|shellapi)\.h' \
         --include='*.h' --include='*.cpp' base core net platform ui controls shellext app tests bench fuzz 2>/dev/null \
       | grep -v -E '(^|/)win32/')
if [ -n "$hits" ]; then
  echo "Windows headers outside a win32/ folder:"; echo "$hits"; status=1
fi

# What each layer may include, besides the standard library and itself.
allowed() {
  case "$1" in
    base)     echo "base" ;;
    platform) echo "platform base" ;;
    net)      echo "net platform base" ;;
    core)     echo "core net platform base" ;;
    controls) echo "controls platform base" ;;
    ui)       echo "ui controls core net platform base resources" ;;
    shellext) echo "shellext core net platform base" ;;
  esac
}
for layer in base platform net core controls ui shellext; do
  [ -d "$layer" ] || continue
  ok=$(allowed "$layer")
  while IFS= read -r hit; do
    target=$(echo "$hit" | sed -E 's/.*#\s*include\s*"([^/"]+)\/.*/\1/')
    case " $ok " in *" $target "*) ;; *) echo "Include points up: $hit"; status=1 ;; esac
  done < <(grep -rnE '#\s*include\s*"[^"/]+/' --include='*.h' --include='*.cpp' "$layer")
done
exit $status
