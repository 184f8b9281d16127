#!/usr/bin/env bash
# Packs the release zip from the two Windows builds: each exe with the Explorer extension and the
# help file beside it in a
# folder named for its Windows, the readme for users and the licence (both with CR LF line breaks,
# for Notepad). The same inputs give the same bytes: fixed order, times, modes and no extra fields.
# The time is SOURCE_DATE_EPOCH when set, else the time of the checkout's last commit.
# Usage: tools/make-dist.sh BUILD   (prints the zip's path)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
version=$(sed -n 's/.*kVersionText\[\] = "\(.*\)";.*/\1/p' "$root/core/ProductIdentity.h")
[ -n "$version" ] || { echo "make-dist: no version in core/ProductIdentity.h" >&2; exit 1; }
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
for bits in 32 64; do
  folder="$stage/$bits-bit Windows"
  mkdir "$folder"
  for file in VelmoraTarvello.exe contmenu.dll zendrelhelp.chm; do
    [ -f "$build/win$bits/$file" ] || { echo "make-dist: $build/win$bits/$file is missing" >&2; exit 1; }
    cp "$build/win$bits/$file" "$folder/"
  done
done
sed 's/\r*$/\r/' "$root/dist/README.txt" > "$stage/README.txt"
sed 's/\r*$/\r/' "$root/LICENSE" > "$stage/LICENSE.txt"

find "$stage" -type d -exec chmod 755 {} + -o -type f -exec chmod 644 {} +
find "$stage" -exec touch -h -d "@$epoch" {} +
mkdir -p "$build/dist"
zip="$build/dist/VelmoraTarvello-$version.zip"
rm -f "$zip"
# -X leaves out the extra fields (owner, Unix times); zip writes local times, so UTC is set.
(cd "$stage" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort | TZ=UTC zip -X -q -9 "$zip" -@)
echo "$zip"
