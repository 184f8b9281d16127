#!/usr/bin/env bash
# Draws the program's small pictures with ImageMagick into resources/images/ (24-bit BMP on a
# magenta background, the image lists' mask colour). Run by hand when a picture changes; the
# results are committed, the build only uses them.
set -euo pipefail
out="${DRAW_OUT:-$(cd "$(dirname "$0")/.." && pwd)/resources/images}"
mkdir -p "$out"
bg='#FF00FF'
# Every picture is drawn at 100, 150 and 200 % (name.bmp, name-150.bmp, name-200.bmp): the
# coordinates, stroke widths, point sizes and text offsets are multiplied, the shapes drawn anew
# at that size rather than the small picture stretched. Larger ones are kept with a palette: they
# have only a few flat colours.
times() { echo "$1 * $percent / 100" | bc -l | xargs printf '%.0f'; }
tile() {  # size, draw commands...
  local size; size=$(times "$1"); shift
  local args=() previous=""
  for arg in "$@"; do
    case "$previous" in
      -draw) arg="scale $(echo "$percent / 100" | bc -l),$(echo "$percent / 100" | bc -l) $arg" ;;
      -strokewidth|-pointsize) arg=$(times "$arg") ;;
      -annotate) arg=$(echo "$arg" | sed -E 's/^([+-])([0-9]+)([+-])([0-9]+)$/\1 \2 \3 \4/' |
                       { read -r sx x sy y; echo "$sx$(times "$x")$sy$(times "$y")"; }) ;;
    esac
    args+=("$arg"); previous=$arg
  done
  convert -size "${size}x${size}" "xc:$bg" +antialias "${args[@]}" -type TrueColor "BMP3:$tmp/$((n++)).bmp"
}
strip() {  # name: joins the tiles drawn so far, left to right
  local name=$1; [ "$percent" -ne 100 ] && name="$1-$percent"
  if [ "$percent" -eq 100 ]; then
    convert $(ls "$tmp"/*.bmp | sort -V) +append -type TrueColor "BMP3:$out/$name.bmp"
  else
    convert $(ls "$tmp"/*.bmp | sort -V) +append +dither -type Palette -compress None "BMP3:$out/$name.bmp"
  fi
  rm -f "$tmp"/*.bmp; n=0
}
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT; n=0
for percent in ${DRAW_PERCENTS:-100 150 200}; do

# The menu and toolbar images, 20 x 20, in the order the actions name them.
tile 20 -fill '#1E5AC8' -draw 'circle 10,10 10,1' -fill white -font DejaVu-Sans-Bold -pointsize 14 \
        -gravity center -annotate +0+0 '?'                                             # 0 help
tile 20 -fill white -stroke '#505050' -draw 'rectangle 2,5 17,15' \
        -draw 'line 2,5 10,11' -draw 'line 17,5 10,11'                                 # 1 feedback
tile 20 -fill '#C83C28' -stroke '#802010' -draw 'polygon 10,2 1,10 19,10' \
        -fill '#F0DCA0' -stroke '#806040' -draw 'rectangle 4,10 15,18' \
        -fill '#806040' -draw 'rectangle 8,13 11,18'                                   # 2 homepage
tile 20                                                                                # 3 (none)
tile 20 -fill '#7A7A7A' -draw 'circle 10,10 10,3' -draw 'rectangle 8,1 11,18' \
        -draw 'rectangle 1,8 18,11' -fill "$bg" -draw 'circle 10,10 10,7'              # 4 options
tile 20 -stroke '#1E9628' -strokewidth 3 -draw 'line 3,10 8,15' -draw 'line 8,15 16,4'     # 5 apply
tile 20 -stroke '#D22828' -strokewidth 3 -draw 'line 4,4 15,15' -draw 'line 15,4 4,15' # 6 delete
tile 20 -stroke '#404040' -fill '#F0C828' -draw 'polygon 13,2 17,6 7,16 3,12' \
        -fill '#404040' -draw 'polygon 3,12 7,16 2,17'                                 # 7 rename
tile 20 -fill '#9A6A3A' -stroke '#5A3A1A' -draw 'rectangle 3,2 12,18' -stroke none \
        -fill '#1E9628' -draw 'polygon 9,8 14,8 14,5 19,10 14,15 14,12 9,12'           # 8 exit
tile 20 -fill '#1E9628' -draw 'rectangle 8,3 11,16' -draw 'rectangle 3,8 16,11'        # 9 add
tile 20 -fill white -stroke '#30507A' -draw 'rectangle 2,3 17,16' -fill '#30507A' \
        -draw 'rectangle 2,3 17,6'                                                     # 10 restore
strip actions

# The configuration tree's image, 24 x 24: a screen on its stand, a cable to the network.
tile 24 -fill '#DCE6F0' -stroke '#30507A' -draw 'rectangle 2,3 19,15' -fill '#5A8CC8' \
        -stroke none -draw 'rectangle 4,5 17,13' -fill '#30507A' -draw 'rectangle 9,16 12,18' \
        -draw 'rectangle 6,19 15,20' -stroke '#1E9628' -strokewidth 2 -draw 'line 19,12 22,12' \
        -draw 'line 22,12 22,21'
strip tree

# The tab marks, 18 x 18: 0 the configuration leaves the card alone, 1 it changes the card.
tile 18 -fill none -stroke '#A0A0A0' -strokewidth 2 -draw 'circle 9,9 9,3'
tile 18 -fill '#1E9628' -draw 'circle 9,9 9,1' -stroke white -strokewidth 2 \
        -draw 'line 5,9 8,12' -draw 'line 8,12 13,6'
strip tabmarks
# The connection status pictures, 54 x 54: two computers joined by a cable (0-2) or by radio
# waves (3-5); grey when the card is disabled, blue when enabled, a red cross when the link is down.
computer() {  # left, screen colour, frame colour
  echo "-fill $3 -draw 'rectangle $1,14 $(($1+19)),30' -fill $2 -draw 'rectangle $(($1+2)),16 $(($1+17)),28'" \
       "-fill $3 -draw 'rectangle $(($1+7)),31 $(($1+12)),34' -draw 'rectangle $(($1+3)),35 $(($1+16)),37'"
}
status() {  # screen colour, frame colour, link colour, wireless, down
  local draw
  draw="$(computer 2 "$1" "$2") $(computer 33 "$1" "$2")"
  if [ "$4" = yes ]; then
    draw+=" -fill none -stroke $3 -strokewidth 2 -draw 'arc 20,16 34,30 200,340' -draw 'arc 16,10 38,32 210,330'"
  else
    draw+=" -stroke $3 -strokewidth 2 -draw 'line 12,44 12,48' -draw 'line 12,48 42,48' -draw 'line 42,48 42,44'"
  fi
  [ "$5" = yes ] && draw+=" -stroke '#D22828' -strokewidth 3 -draw 'line 21,40 33,52' -draw 'line 33,40 21,52'"
  eval tile 54 "$draw"
}
for wireless in no yes; do
  status "'#B4B4B4'" "'#787878'" "'#969696'" "$wireless" no   # 0, 3: disabled
  status "'#5A8CC8'" "'#30507A'" "'#30507A'" "$wireless" yes  # 1, 4: link down
  status "'#5A8CC8'" "'#30507A'" "'#1E9628'" "$wireless" no   # 2, 5: connected
done
strip status

# The adapters' small pictures in the options dialog, 16 x 16: 0 a wired card, 1 a wireless one.
tile 16 -fill '#2E7D32' -stroke '#1B4D1F' -draw 'rectangle 1,4 14,11' -stroke none -fill '#D4AF37' \
        -draw 'rectangle 3,12 12,13' -fill '#101010' -draw 'rectangle 4,6 7,9' -draw 'rectangle 9,6 12,9'
tile 16 -fill '#2E7D32' -stroke '#1B4D1F' -draw 'rectangle 1,8 14,14' -stroke '#30507A' \
        -draw 'line 7,7 7,2' -draw 'line 4,3 7,1' -draw 'line 10,3 7,1'
strip adapters

done

# The About dialog's banner, 340 x 64: the product name on the left, the home page on the right.
for percent in ${DRAW_PERCENTS:-100 150 200}; do
  name=banner; [ "$percent" -ne 100 ] && name="banner-$percent"
  convert -size "$(times 340)x$(times 64)" gradient:'#1E5AC8'-'#0A2A6A' -rotate -90 \
          -resize "$(times 340)x$(times 64)!" +antialias \
          -fill white -font DejaVu-Sans-Bold -pointsize "$(times 20)" \
          -annotate "+$(times 16)+$(times 38)" 'Velmora Tarvello' \
          -fill '#C8DCFF' -font DejaVu-Sans -pointsize "$(times 11)" \
          -annotate "+$(times 228)+$(times 38)" 'www.example.com' -type TrueColor "$tmp/banner.bmp"
  # Few colours: a palette keeps every one of them, in a third of the bytes.
  convert "$tmp/banner.bmp" +dither -type Palette -compress None "BMP3:$out/$name.bmp"
done

# The program's icon: a blue disc with two white bars, at 48, 32 and 16 pixels.
# The icon's sizes: the title bar's, the tray's and the About box's at 100 to 200 %.
for size in 96 72 64 48 40 32 24 20 16; do
  r=$((size / 2)); bar=$((size / 7)); gap=$((size / 10))
  convert -size "${size}x${size}" xc:none -fill '#1E5AC8' -draw "circle $r,$r $r,1" -fill white \
          -draw "rectangle $((r - gap - bar)),$((size / 4)) $((r - gap)),$((size * 3 / 4))" \
          -draw "rectangle $((r + gap)),$((size / 4)) $((r + gap + bar)),$((size * 3 / 4))" \
          "PNG32:$tmp/icon$size.png"
done
convert "$tmp"/icon48.png "$tmp"/icon40.png "$tmp"/icon32.png "$tmp"/icon24.png "$tmp"/icon20.png \
        "$tmp"/icon16.png "$tmp/small.ico"
# The large sizes as PNG entries, a tenth of the bytes; only Vista and later ask for them.
python3 - "$tmp/small.ico" "$out/../app.ico" "$tmp"/icon64.png "$tmp"/icon72.png "$tmp"/icon96.png <<'PY'
import struct, sys
small = open(sys.argv[1], 'rb').read()
count = struct.unpack('<HHH', small[:6])[2]
entries = [(small[6 + 16 * i:22 + 16 * i], small) for i in range(count)]
images = []
for i in range(count):
    w, h, c, r, planes, bits, size, offset = struct.unpack('<BBBBHHII', small[6 + 16 * i:22 + 16 * i])
    images.append((w, h, c, planes, bits, small[offset:offset + size]))
for path in sys.argv[3:]:
    png = open(path, 'rb').read()
    width, height = struct.unpack('>II', png[16:24])
    images.insert(0, (width, height, 0, 1, 32, png))
offset = 6 + 16 * len(images)
head, body = struct.pack('<HHH', 0, 1, len(images)), b''
for w, h, c, planes, bits, data in images:
    head += struct.pack('<BBBBHHII', w % 256, h % 256, c, 0, planes, bits, len(data), offset + len(body))
    body += data
open(sys.argv[2], 'wb').write(head + body)
PY
echo "Drew: $(ls "$out") and app.ico"
