#!/usr/bin/env bash
# Checks the products: each build's VelmoraTarvello.exe and contmenu.dll are of its architecture and
# import only DLLs that come with Windows (no MinGW runtime beside them).
# Usage: tools/check-exes.sh BUILD
set -uo pipefail
build=$1
system_dlls='^(advapi32|comctl32|comdlg32|gdi32|iphlpapi|kernel32|msvcrt|ole32|oleaut32|setupapi|shell32|shlwapi|user32|version|ws2_32)\.dll$'
status=0
check() {  # folder, objdump format expected, file
  local exe="$build/$1/$3" format dll
  if [ ! -f "$exe" ]; then echo "check-exes: $exe is missing"; status=1; return; fi
  format=$(x86_64-w64-mingw32-objdump -f "$exe" | sed -n 's/.*file format //p')
  [ "$format" = "$2" ] || { echo "check-exes: $exe is $format, not $2"; status=1; }
  while read -r dll; do
    echo "$dll" | tr 'A-Z' 'a-z' | grep -qE "$system_dlls" \
      || { echo "check-exes: $exe needs $dll, which Windows does not bring"; status=1; }
  done < <(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
}
for file in VelmoraTarvello.exe contmenu.dll; do
  check win32 pei-i386 "$file"
  check win64 pei-x86-64 "$file"
done
[ $status -eq 0 ] && echo "exes: both builds' exe and extension are static, of their architectures"
exit $status
