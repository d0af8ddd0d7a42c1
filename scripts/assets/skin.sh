#!/bin/sh
# One panel skin: 450 x 140, rounded, soft-edged, with a light title band, a darker body,
# faint dial rings behind the logo, a footer shelf whose top edge at y 100 hides the lower
# edge of the logo, and a soft shadow. With SCALE 2 the same skin drawn at twice the size,
# for screens of twice the density (every figure below is in the 1x skin's pixels).
# Usage: skin.sh OUTPUT.png BODY_TOP BODY_BOTTOM BAND_TOP BAND_BOTTOM BORDER [SCALE]
set -eu
out=$1 body_top=$2 body_bottom=$3 band_top=$4 band_bottom=$5 border=$6 k=${7:-1}

# m FIGURE...: the figures at the scale.
m() { awk -v k="$k" 'BEGIN { for (i = 1; i < ARGC; i++) printf "%s%g", (i > 1 ? " " : ""), ARGV[i] * k; exit }' "$@"; }

W=$(m 450) H=$(m 140)
band=$(m 24)     # title band rows 0..23; the black title sits at (13, 3)
shelf=$(m 100)   # top edge of the footer shelf; the panel redraws (372, 100, 60, 30) over the logo
radius=$(m 10)
line=$(m 1)

# Rounded outline of the panel, leaving room below for the shadow; a 1-pixel
# line runs through the middle of its pixels.
half=$(awk -v k="$k" 'BEGIN { print k / 2 }')
shape="roundrectangle $(m 1),0 $(m 448),$(m 135) $radius,$radius"
shape=$(echo "$shape" | awk -v h="$half" '{ split($2, a, ","); split($3, b, ","); printf "%s %g,%g %g,%g %s", $1, a[1] + h, a[2] + h, b[1] + h, b[2] + h, $4 }')
inner=$(awk -v k="$k" -v h="$half" 'BEGIN { printf "roundrectangle %g,%g %g,%g %g,%g", 2*k+h, 1*k+h, 447*k+h, 134*k+h, 9*k, 9*k }')

convert-im6.q16 \
  -size ${W}x${H} gradient:"$body_top-$body_bottom" \
  \( -size $(m 300)x$(m 160) radial-gradient:'#FFFFFF2E-#FFFFFF00' \) -geometry -$(m 70)-$(m 70) -composite \
  \( -size ${W}x${band} gradient:"$band_top-$band_bottom" \) -geometry +0+0 -composite \
  -draw "fill '#FFFFFF50' rectangle 0,0 $W,$(($(m 12) - 1))" \
  -draw "fill '#00000066' rectangle 0,$band $W,$((band + line - 1))" \
  -draw "fill '#FFFFFF1C' rectangle 0,$((band + line)) $W,$((band + 2 * line - 1))" \
  \( -size ${W}x${shelf} xc:none \
     -draw "stroke '#FFFFFF12' stroke-width $(m 2) fill none circle $(m 410),$(m 66) $(m 410),$(m 10)" \
     -draw "stroke '#FFFFFF0C' stroke-width $line fill none circle $(m 410),$(m 66) $(m 410),$(m 22)" \) \
  -geometry +0+0 -composite \
  \( -size ${W}x${H} xc:none -draw "fill '#000000A0' ellipse $(m 410),$(m 99) $(m 28),$(m 5) 0,360" -blur 0x$(m 3) \) -composite \
  -draw "fill '#0000003A' rectangle 0,$shelf $W,$H" \
  \( -size ${W}x$((H - shelf)) gradient:'#FFFFFF14-#00000028' \) -geometry +0+$shelf -composite \
  -draw "fill '#00000059' rectangle 0,$((shelf - line)) $W,$((shelf - 1))" \
  -draw "fill '#FFFFFF3A' rectangle 0,$shelf $W,$((shelf + line - 1))" \
  \( -size ${W}x${H} xc:black -fill white -draw "$shape" \) -alpha off -compose CopyOpacity -composite -compose Over \
  -draw "stroke '#FFFFFF38' stroke-width $line fill none $inner" \
  -draw "stroke '$border' stroke-width $line fill none $shape" \
  \( -size ${W}x${H} xc:none -draw "fill '#00000070' $shape" -blur 0x$(m 2) -geometry +0+$(m 2) \) \
  -compose DstOver -composite -compose Over \
  -define png:exclude-chunks=date,time -strip PNG32:"$out"
