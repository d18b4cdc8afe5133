#!/usr/bin/env bash
# Draws the skin's images into UI/ with ImageMagick (Debian's /usr/bin/convert). The images are
# committed, so a build never needs this script; run it after changing a design here.
# Shapes are drawn at four times their size and scaled down, which gives smooth edges.
#
# Usage: skin/make-images.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out="$here/UI"
im=/usr/bin/convert
latin_font=DejaVu-Sans-Bold
cjk_font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
[ -x "$im" ] || { echo "ImageMagick is missing: apt-get install imagemagick" >&2; exit 1; }
[ -f "$cjk_font" ] || { echo "$cjk_font is missing: apt-get install fonts-wqy-microhei" >&2; exit 1; }
mkdir -p "$out"
# Deterministic PNG files: no time stamps or other changing chunks.
png_opts=(-define png:exclude-chunks=date,time -strip)

accent='#FFB02E'     # brand orange
accent_light='#FFD47D'
ink='#444242'

# --- close button, 21x21: grey cross; red disc with white cross when hot, darker when pushed.
$im -size 84x84 xc:none -fill none -stroke '#8A8A8A' -strokewidth 7 -draw "line 28,28 56,56" \
  -draw "line 56,28 28,56" -resize 21x21 "${png_opts[@]}" "$out/close_normal.png"
$im -size 84x84 xc:none -fill '#F05A4F' -draw "circle 42,42 42,2" -fill none -stroke white -strokewidth 7 \
  -draw "line 29,29 55,55" -draw "line 55,29 29,55" -resize 21x21 "${png_opts[@]}" "$out/close_hover.png"
$im -size 84x84 xc:none -fill '#C7392F' -draw "circle 42,42 42,2" -fill none -stroke white -strokewidth 7 \
  -draw "line 29,29 55,55" -draw "line 55,29 29,55" -resize 21x21 "${png_opts[@]}" "$out/close_click.png"

# --- input frame, nine-grid with 12-pixel corners: white, thin grey rounded border.
$im -size 240x120 xc:none -fill white -stroke '#D0D0D0' -strokewidth 4 \
  -draw "roundrectangle 2,2 237,117 32,32" -resize 60x30 "${png_opts[@]}" "$out/edit_bk.png"

# --- shopping bag glyph (216x216 canvas), white on a coloured ground.
bag_glyph=(-fill white -stroke none -draw "path 'M 60,86 L 156,86 L 166,170 Q 167,178 158,178 L 58,178 Q 49,178 50,170 Z'"
  -fill none -stroke white -strokewidth 12 -draw "ellipse 108,76 24,28 180,360" -draw "line 84,76 84,100" -draw "line 132,76 132,100")

# --- login logo, 50x50: rounded orange square with the bag.
$im -size 200x200 xc:none -fill "$accent" -draw "roundrectangle 0,0 199,199 40,40" \
  \( -size 216x216 xc:none "${bag_glyph[@]}" -resize 120x120 \) -gravity center -composite \
  -resize 50x50 "${png_opts[@]}" "$out/tv_logo1.png"

# --- floating logo, 250x115: an orange pill (light at the top) with a white disc holding the bag,
# the brand and the service name; a soft shadow keeps it readable on any wallpaper.
pill="roundrectangle 16,20 972,412 196,196"
$im -size 1000x460 xc:none \
  \( -size 1000x460 xc:none -fill '#00000050' -draw "roundrectangle 26,40 982,428 196,196" -blur 0x12 \) -composite \
  \( -size 1000x460 gradient:"$accent_light"-"$accent" \
     \( -size 1000x460 xc:black -fill white -draw "$pill" \) -alpha off -compose CopyOpacity -composite \) \
  -compose Over -composite \
  -fill white -draw "circle 212,216 212,60" \
  \( -size 216x216 xc:none -fill "$accent" -stroke none \
     -draw "path 'M 60,86 L 156,86 L 166,170 Q 167,178 158,178 L 58,178 Q 49,178 50,170 Z'" \
     -fill none -stroke "$accent" -strokewidth 12 \
     -draw "ellipse 108,76 24,28 180,360" -draw "line 84,76 84,100" -draw "line 132,76 132,100" \
     -resize 200x200 \) \
  -geometry +112+110 -composite \
  -stroke none -fill "$ink" -font "$latin_font" -pointsize 124 -annotate +400+212 'Tamvik' \
  -fill white -font "$cjk_font" -pointsize 92 -annotate +404+340 '商品点购' \
  -resize 250x115 "${png_opts[@]}" "$out/tv_logo.png"

# --- tool strip background, nine-grid with 10-pixel corners: dark, slightly transparent.
$im -size 160x160 xc:none -fill '#23272EDC' -stroke '#FFFFFF40' -strokewidth 3 \
  -draw "roundrectangle 2,2 157,157 38,38" -resize 40x40 "${png_opts[@]}" "$out/tip_bk.png"

# --- tool icons, 54x54 (drawn into 10,10-64,64 of a 70x90 button): coloured disc, white glyph.
tool_icon() { # colour output glyph-args...
  local colour=$1 file=$2
  shift 2
  $im -size 216x216 xc:none -fill "$colour" -draw "circle 108,108 108,2" "$@" \
    -resize 54x54 "${png_opts[@]}" "$out/$file"
}
tool_icon '#4A9DF0' icon_call.png -fill white -stroke none \
  -draw "path 'M 108,50 C 80,50 68,72 68,98 L 68,128 L 54,148 L 162,148 L 148,128 L 148,98 C 148,72 136,50 108,50 Z'" \
  -draw "circle 108,44 108,34" -draw "circle 108,160 108,146"
tool_icon '#3DBB84' icon_msg.png -fill white -stroke none -draw "roundrectangle 46,56 170,142 26,26" \
  -draw "polygon 74,136 62,176 112,138" -fill '#3DBB84' -draw "circle 78,99 78,89" -draw "circle 108,99 108,89" \
  -draw "circle 138,99 138,89"
tool_icon "$accent" icon_shop.png "${bag_glyph[@]}"
tool_icon '#EE5F8A' icon_music.png -fill white -stroke none \
  -draw "path 'M 86,66 L 156,50 L 156,136 L 144,136 L 144,76 L 98,86 L 98,152 L 86,152 Z'" \
  -draw "ellipse 76,152 24,18 0,360" -draw "ellipse 134,136 24,18 0,360"

# --- loading animation, 64x64, 12 full frames of 80 ms on white (the loading layout's ground):
# a ring of dots whose bright head turns clockwise.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
frames=()
for i in $(seq 0 11); do
  mapfile -t args < <(python3 - "$i" <<'PY'
import math, sys
frame = int(sys.argv[1])
for dot in range(12):
    age = (frame - dot) % 12
    opacity = max(40, 255 - age * 19)
    a = math.radians(dot * 30 - 90)
    x, y = 128 + 88 * math.cos(a), 128 + 88 * math.sin(a)
    print("-fill")
    print("#FFB02E%02X" % opacity)
    print("-draw")
    print("circle %.1f,%.1f %.1f,%.1f" % (x, y, x, y - 16))
PY
  )
  f="$tmp/f$(printf %02d "$i").png"
  $im -size 256x256 xc:white "${args[@]}" -resize 64x64 "$f"
  frames+=("$f")
done
$im -delay 8 -loop 0 "${frames[@]}" "$out/loading.gif"

echo "images written to $out"
ls -l "$out"
