#!/usr/bin/env bash
# Reads the import tables of the four shipped files, as Windows' loader does before the program
# starts, and fails on a function that tools/imports.txt does not name or that is newer than the
# file's oldest Windows: Windows 2000 for the 32-bit files, XP x64 / Server 2003 SP1 for the
# 64-bit ones. Wine exports every function whatever version it reports, so only this can tell.
# Usage: tools/check-imports.sh BUILD [LIST]
set -uo pipefail
build=$1
list=${2:-$(dirname "$0")/imports.txt}
status=0

# The imports of one file, one "dll function" per line (an ordinal as "#N"), dll in lower case.
imports_of() {
  x86_64-w64-mingw32-objdump -p "$1" | awk '
    /^The Import Tables/ { inside = 1; next }
    /^(The|There) / { inside = 0 }
    !inside { next }
    /^\tDLL Name:/ { dll = tolower($3); next }
    dll != "" && /^\t[0-9a-f]+\t/ { print dll, (NF < 3) ? "#" $2 : $3 }'
}

check() {  # folder, oldest Windows (a version of the list), its name, file
  local file="$build/$1/$4"
  [ -f "$file" ] || { echo "check-imports: $file is missing"; status=1; return; }
  local found
  found=$(imports_of "$file" | awk -v list="$list" -v oldest="$2" -v name="$3" -v file="$file" '
    BEGIN {
      split("2000 XP 2003 2003SP1 Vista 7 8 8.1 10 11", order, " ")
      for (i in order) rank[order[i]] = i
      while ((getline line < list) > 0) {
        if (line ~ /^[ \t]*(#|$)/) continue
        split(line, f, /[ \t]+/)
        if (!(f[3] in rank)) { print "check-imports: " list ": unknown version " f[3] " for " f[2]; bad = 1 }
        first[tolower(f[1]) " " f[2]] = f[3]
      }
    }
    {
      if (!($0 in first)) {
        print "check-imports: " file " imports " $1 "!" $2 ", which " list " does not name:" \
              " add it with the first Windows that has it, from its documentation"
        bad = 1
      } else if (rank[first[$0]] > rank[oldest]) {
        print "check-imports: " file " imports " $1 "!" $2 ", new in Windows " first[$0] \
              ", but the file is made for " name
        bad = 1
      }
      n++
    }
    END { if (!bad) print "ok " n; exit bad }')
  if [ $? -ne 0 ]; then echo "$found" | grep -v '^ok '; status=1; fi
}

for file in VelmoraTarvello.exe contmenu.dll; do
  check win32 2000 "Windows 2000" "$file"
  check win64 2003SP1 "XP x64 / Server 2003 SP1" "$file"
done
# Lines no shipped file needs any more: a note, so the list stays what the files import.
stale=$(comm -13 <(for a in win32 win64; do for f in VelmoraTarvello.exe contmenu.dll; do
                     [ -f "$build/$a/$f" ] && imports_of "$build/$a/$f"; done; done | sort -u) \
                 <(awk '!/^[ \t]*(#|$)/ { print tolower($1), $2 }' "$list" | sort -u))
[ -n "$stale" ] && echo "check-imports: no shipped file imports these any more:" $(echo "$stale" | tr ' ' '!')
[ $status -eq 0 ] && echo "imports: the 32-bit files need nothing newer than Windows 2000, the 64-bit ones nothing newer than Server 2003 SP1"
exit $status
