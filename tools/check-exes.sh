#!/usr/bin/env bash
# Checks the two products: each build's VelmoraTarvello.exe is of its architecture and imports
# only DLLs that come with Windows (no MinGW runtime beside it).
# Usage: tools/check-exes.sh BUILD
set -uo pipefail
build=$1
system_dlls='^(advapi32|comctl32|comdlg32|gdi32|iphlpapi|kernel32|msvcrt|ole32|oleaut32|setupapi|shell32|shlwapi|user32|version|ws2_32)\.dll$'
status=0
check() {  # folder, objdump format expected
  local exe="$build/$1/VelmoraTarvello.exe" format dll
  if [ ! -f "$exe" ]; then echo "check-exes: $exe is missing"; status=1; return; fi
  format=$(x86_64-w64-mingw32-objdump -f "$exe" | sed -n 's/.*file format //p')
  [ "$format" = "$2" ] || { echo "check-exes: $exe is $format, not $2"; status=1; }
  while read -r dll; do
    echo "$dll" | tr 'A-Z' 'a-z' | grep -qE "$system_dlls" \
      || { echo "check-exes: $exe needs $dll, which Windows does not bring"; status=1; }
  done < <(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
}
check win32 pei-i386
check win64 pei-x86-64
[ $status -eq 0 ] && echo "exes: both builds are static, of their architectures"
exit $status
