#!/bin/sh
# The 49 x 49 thumbnail of a skin for the settings dialog: a miniature of the panel
# (title band, body, footer shelf, text lines and the logo), opaque, as a 24-bit BMP.
# Drawn 4 times larger and reduced by area averaging; with SIZE 98 the same thumbnail for
# screens of twice the density.
# Usage: thumb.sh OUTPUT.bmp LOGO_8X.png BODY_TOP BODY_BOTTOM BAND_TOP BAND_BOTTOM BORDER [SIZE]
set -eu
out=$1 logo=$2 body_top=$3 body_bottom=$4 band_top=$5 band_bottom=$6 border=$7 size=${8:-49}

S=196 band=40 shelf=150

convert-im6.q16 \
  -size ${S}x${S} gradient:"$body_top-$body_bottom" \
  \( -size 200x200 radial-gradient:'#FFFFFF30-#FFFFFF00' \) -geometry -80-60 -composite \
  \( -size ${S}x${band} gradient:"$band_top-$band_bottom" \) -geometry +0+0 -composite \
  -draw "fill '#FFFFFF50' rectangle 0,0 $S,$((band / 2 - 1))" \
  -draw "fill '#00000066' rectangle 0,$band $S,$((band + 3))" \
  -draw "fill '#000000B0' roundrectangle 14,14 110,26 6,6" \
  -draw "fill '#FFFFFFD8' roundrectangle 14,60 70,72 6,6" \
  -draw "fill '#FFFFFFD8' roundrectangle 80,54 132,76 8,8" \
  -draw "fill '#FFFFFFD8' roundrectangle 14,92 62,104 6,6" \
  -draw "fill '#5BD46B' roundrectangle 72,90 86,106 3,3" \
  -draw "fill '#FFB938' roundrectangle 88,90 102,106 3,3" \
  -draw "fill '#FFFFFFD8' roundrectangle 14,122 110,134 6,6" \
  \( "$logo" -filter Box -resize 72x49 \) -geometry +118+104 -composite \
  -draw "fill '#0000003A' rectangle 0,$shelf $S,$S" \
  -draw "fill '#00000059' rectangle 0,$((shelf - 4)) $S,$((shelf - 1))" \
  -draw "fill '#FFFFFF3A' rectangle 0,$shelf $S,$((shelf + 3))" \
  -draw "fill '#FEEF49' roundrectangle 14,166 62,178 6,6" \
  -draw "fill '#FFFFFFD8' roundrectangle 72,166 150,178 6,6" \
  -draw "stroke '$border' stroke-width 4 fill none rectangle 2,2 193,193" \
  -filter Box -resize ${size}x${size} -alpha off -type TrueColor BMP3:"$out"
