#!/bin/sh
# One panel skin: 450 x 140, rounded, soft-edged, with a light title band, a darker body,
# faint dial rings behind the logo, a footer shelf whose top edge at y 100 hides the lower
# edge of the logo, and a soft shadow.
# Usage: skin.sh OUTPUT.png BODY_TOP BODY_BOTTOM BAND_TOP BAND_BOTTOM BORDER
set -eu
out=$1 body_top=$2 body_bottom=$3 band_top=$4 band_bottom=$5 border=$6

W=450 H=140
band=24     # title band rows 0..23; the black title sits at (13, 3)
shelf=100   # top edge of the footer shelf; the panel redraws (372, 100, 60, 30) over the logo
radius=10

# Rounded outline of the panel, leaving room below for the shadow.
shape="roundrectangle 1.5,0.5 448.5,135.5 $radius,$radius"

convert-im6.q16 \
  -size ${W}x${H} gradient:"$body_top-$body_bottom" \
  \( -size 300x160 radial-gradient:'#FFFFFF2E-#FFFFFF00' \) -geometry -70-70 -composite \
  \( -size ${W}x${band} gradient:"$band_top-$band_bottom" \) -geometry +0+0 -composite \
  -draw "fill '#FFFFFF50' rectangle 0,0 $W,$((band / 2 - 1))" \
  -draw "fill '#00000066' rectangle 0,$band $W,$band" \
  -draw "fill '#FFFFFF1C' rectangle 0,$((band + 1)) $W,$((band + 1))" \
  \( -size ${W}x${shelf} xc:none \
     -draw "stroke '#FFFFFF12' stroke-width 2 fill none circle 410,66 410,10" \
     -draw "stroke '#FFFFFF0C' stroke-width 1 fill none circle 410,66 410,22" \) \
  -geometry +0+0 -composite \
  \( -size ${W}x${H} xc:none -draw "fill '#000000A0' ellipse 410,99 28,5 0,360" -blur 0x3 \) -composite \
  -draw "fill '#0000003A' rectangle 0,$shelf $W,$H" \
  \( -size ${W}x$((H - shelf)) gradient:'#FFFFFF14-#00000028' \) -geometry +0+$shelf -composite \
  -draw "fill '#00000059' rectangle 0,$((shelf - 1)) $W,$((shelf - 1))" \
  -draw "fill '#FFFFFF3A' rectangle 0,$shelf $W,$shelf" \
  \( -size ${W}x${H} xc:black -fill white -draw "$shape" \) -alpha off -compose CopyOpacity -composite -compose Over \
  -draw "stroke '#FFFFFF38' stroke-width 1 fill none roundrectangle 2.5,1.5 447.5,134.5 $((radius - 1)),$((radius - 1))" \
  -draw "stroke '$border' stroke-width 1 fill none $shape" \
  \( -size ${W}x${H} xc:none -draw "fill '#00000070' $shape" -blur 0x2 -geometry +0+2 \) \
  -compose DstOver -composite -compose Over \
  -define png:exclude-chunks=date,time -strip PNG32:"$out"
