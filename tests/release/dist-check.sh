#!/usr/bin/env bash
# Checks the release zip. Builds both exes and the help file from a clean export of the commit, in
# a folder of its own, packs the zip and checks its listing and, through Wine's own version.dll,
# the version information and manifest of both exes. When this checkout holds nothing
# uncommitted, the zip packed from its own builds must equal that one byte for byte.
# Usage: tests/release/dist-check.sh BUILD
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
work="$build/dist-check"
fail() { echo "dist-check: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work/src"
git -C "$root" archive HEAD | tar -x -C "$work/src"
export SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct)
for arch in i686:win32 x86_64:win64; do
  cmake -S "$work/src" -B "$work/${arch#*:}" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$work/src/cmake/mingw-${arch%:*}.cmake" >/dev/null
  cmake --build "$work/${arch#*:}" -j "$(nproc)" --target VelmoraTarvello contmenu vt_help >/dev/null
done
zip=$("$work/src/tools/make-dist.sh" "$work")

listing=$(unzip -Z1 "$zip")
expected="32-bit Windows/
32-bit Windows/VelmoraTarvello.exe
32-bit Windows/contmenu.dll
32-bit Windows/zendrelhelp.chm
64-bit Windows/
64-bit Windows/VelmoraTarvello.exe
64-bit Windows/contmenu.dll
64-bit Windows/zendrelhelp.chm
LICENSE.txt
README.txt"
[ "$listing" = "$expected" ] || fail "the zip holds:
$listing"
[ "$(basename "$zip")" = VelmoraTarvello-1.50.zip ] || fail "the zip is named $(basename "$zip")"

unpacked="$work/unpacked"
mkdir "$unpacked"
unzip -q "$zip" -d "$unpacked"
grep -q $'\r$' "$unpacked/README.txt" || fail "README.txt lacks CR LF line breaks"

# Wine reads the resources of either architecture; the runnable one reads both.
arch=$("$root/tools/wine-arches.sh" | tail -n 1)
[ -n "$arch" ] || fail "this machine runs no Wine"
source "$root/tools/wine-env.sh" "$build/$arch" "$arch"
seen=$(cd "$unpacked" && wine "$build/$arch/vt_print_version.exe" \
         '32-bit Windows\VelmoraTarvello.exe' '64-bit Windows\VelmoraTarvello.exe' \
         '32-bit Windows\contmenu.dll' '64-bit Windows\contmenu.dll' | tr -d '\r')
for bits in 32 64; do
  expected_version="$bits-bit Windows\\VelmoraTarvello.exe
FileVersionNumber=1.50.0.0
FileDescription=Velmora Tarvello network settings switcher ($bits-bit)
FileVersion=1.50
OriginalFilename=VelmoraTarvello.exe
ProductName=Velmora Tarvello
ProductVersion=1.50
manifest asks for common controls 6: yes
manifest asks to run as the invoker: yes
manifest declares supported systems: 5"
  case "$seen" in *"$expected_version"*) ;; *) fail "Windows reads from the $bits-bit exe:
$seen" ;; esac
  expected_version="$bits-bit Windows\\contmenu.dll
FileVersionNumber=1.50.0.0
FileDescription=Velmora Tarvello Explorer context menu ($bits-bit)
FileVersion=1.50
OriginalFilename=contmenu.dll
ProductName=Velmora Tarvello
ProductVersion=1.50"
  case "$seen" in *"$expected_version"*) ;; *) fail "Windows reads from the $bits-bit extension:
$seen" ;; esac
done

if [ -z "$(git -C "$root" status --porcelain)" ]; then
  cmp "$zip" "$("$root/tools/make-dist.sh" "$build")" \
    || fail "two builds of the same commit differ"
  echo "dist: $(basename "$zip") holds what it should and is the same when built again"
else
  echo "dist: $(basename "$zip") holds what it should (uncommitted changes here: not built again to compare)"
fi
