#!/usr/bin/env bash
# Fails when a file outside a win32/ folder includes a Windows header.
cd "${1:-.}" || exit 2
hits=$(grep -rnE '#\s*include\s*[<"](windows|winreg|winbase|winuser|setupapi|iphlpapi|shlobj|commctrl|objbase|shellapi)\.h' \
         --include='*.h' --include='*.cpp' core net platform ui controls app tests bench fuzz 2>/dev/null \
       | grep -v -E '(^|/)win32/')
[ -z "$hits" ] && exit 0
echo "Windows headers outside a win32/ folder:"; echo "$hits"; exit 1
