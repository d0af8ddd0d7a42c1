#!/bin/sh
# Builds every data file that ships beside the executable, and the program icon.
# Debian tools only: ImageMagick 6 (convert-im6.q16), sox, iconv, python3 for the mock-ups.
# The results are committed, so the build itself needs none of this.
#
# Usage: scripts/make_assets.sh [MOCKUP_DIR]
#   With MOCKUP_DIR, also checks that every language text fits the panel and writes
#   panel mock-ups there (skin, texts, icons, level bar and logo as the program draws them).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
assets=$root/scripts/assets
data=$root/data
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
png_out="-define png:exclude-chunks=date,time -strip PNG32:"

mkdir -p "$data/skins" "$root/app/resources"

# Config.ini: Windows-1252 with CRLF line ends, as the profile functions expect.
iconv -f UTF-8 -t WINDOWS-1252 "$assets/config.ini" | sed 's/$/\r/' > "$data/Config.ini"

# The alarm-clock mark: logo (and at twice the size for dense screens), and the program
# icon at 16, 32 and 48 pixels and at the small-icon sizes of 125, 150 and 250 % (20, 24
# and 40 pixels).
clock=$(grep -v '^#' "$assets/clock.mvg")
convert-im6.q16 -size 320x216 xc:none -draw "$clock" "$work/logo8x.png"
convert-im6.q16 "$work/logo8x.png" -filter Box -resize 40x27 ${png_out}"$data/logo.png"
convert-im6.q16 "$work/logo8x.png" -filter Box -resize 80x54 ${png_out}"$data/logo@2x.png"
convert-im6.q16 -size 128x128 xc:none -draw "$(grep -v '^#' "$assets/clock16.mvg")" \
  -filter Box -resize 16x16 "$work/icon16.png"
for size in 20 24 32 40 48; do
  # Fit the mark's width (250 of its 320 units) into the square, centred.
  canvas=$((size * 8))
  scale=$(awk "BEGIN { print $canvas * 0.98 / 250 }")
  dx=$(awk "BEGIN { print ($canvas - 320 * $scale) / 2 }")
  dy=$(awk "BEGIN { print ($canvas - 214 * $scale) / 2 - 2 * $scale }")
  convert-im6.q16 -size ${canvas}x${canvas} xc:none -draw "affine $scale,0,0,$scale,$dx,$dy
$clock" -filter Box -resize ${size}x${size} "$work/icon$size.png"
done
convert-im6.q16 "$work/icon16.png" "$work/icon20.png" "$work/icon24.png" "$work/icon32.png" \
  "$work/icon40.png" "$work/icon48.png" "$root/app/resources/quorbel.ico"

# Sprite sheet: line icons and level blocks.
"$assets/icons.sh" "$data/icons.png"

# Skins and their thumbnails, each also at twice the size ("@2x" before the extension,
# which the program picks on dense screens): name, body top, body bottom, band top, band
# bottom, border.
while read -r name body_top body_bottom band_top band_bottom border; do
  "$assets/skin.sh" "$data/skins/$name.png" "$body_top" "$body_bottom" "$band_top" "$band_bottom" "$border"
  "$assets/skin.sh" "$data/skins/$name@2x.png" "$body_top" "$body_bottom" "$band_top" "$band_bottom" "$border" 2
  "$assets/thumb.sh" "$data/skins/${name}_thumb.bmp" "$work/logo8x.png" \
    "$body_top" "$body_bottom" "$band_top" "$band_bottom" "$border"
  "$assets/thumb.sh" "$data/skins/${name}_thumb@2x.bmp" "$work/logo8x.png" \
    "$body_top" "$body_bottom" "$band_top" "$band_bottom" "$border" 98
done <<'THEMES'
aurora   #1F7282 #0C3540 #F4FBFC #CBE3E8 #06232B
midnight #2C5190 #11224A #F4F7FD #CFD9EE #081330
graphite #50565F #1E2126 #F8F8F9 #D6D9DE #0E1013
ember    #8E2B37 #420F19 #FDF5F3 #EBD2CD #25060B
forest   #2F6E47 #11321F #F4FAF1 #D2E6CF #0A1D12
amethyst #61408A #281541 #F9F5FD #DDD2EC #170A28
THEMES

# Sounds.
"$assets/sounds.sh" "$data/load.wav" "$data/start.wav"

if [ $# -ge 1 ]; then
  python3 "$assets/mockup.py" "$data" "$1"
fi
