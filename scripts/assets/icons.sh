#!/bin/sh
# Sprite sheet of the panel: four line icons, then the three level blocks.
# Drawn 8 times larger (128 units per 16-pixel cell) and reduced by area averaging.
# Usage: icons.sh OUTPUT.png
set -eu
out=$1

clock='push graphic-context
stroke-linecap round fill none
circle 64,64 64,20
line 64,64 64,38
line 64,64 86,64
pop graphic-context'

bars='push graphic-context
translate 128,0
stroke none
roundrectangle 16,82 40,114 5,5
roundrectangle 52,56 76,114 5,5
roundrectangle 88,24 112,114 5,5
pop graphic-context'

heart='push graphic-context
translate 256,0
stroke-linejoin round fill none
path "M 64,110 C 26,82 10,58 22,36 C 34,16 56,18 64,38 C 72,18 94,16 106,36 C 118,58 102,82 64,110 Z"
pop graphic-context'

bulb='push graphic-context
translate 384,0
stroke-linecap round stroke-linejoin round fill none
path "M 49,86 C 49,72 30,66 30,46 A 34,34 0 0 1 98,46 C 98,66 79,72 79,86 Z"
line 50,101 78,101
line 57,116 71,116
pop graphic-context'

# The dark halo under every icon: the same shapes, stroked wider.
halo=$(printf '%s\n' "$clock" "$bars" "$heart" "$bulb" | sed '/^stroke none$/d')

block() { # cell left, top colour, bottom colour
  printf '%s\n' "push defs
push gradient 'g' linear 0,12 0,116
stop-color '$2' 0
stop-color '$3' 1
pop gradient
pop defs
stroke '#00000090' stroke-width 8 fill url(#g)
roundrectangle $(($1 + 10)),14 $(($1 + 118)),114 22,22"
}
gloss() { # cell left
  printf '%s\n' "stroke none fill '#FFFFFF48'
roundrectangle $(($1 + 20)),22 $(($1 + 108)),60 16,16"
}

convert-im6.q16 -size 896x128 xc:none \
  -stroke black -strokewidth 28 -fill black -draw "$halo" \
  -channel A -evaluate multiply 0.55 +channel \
  -stroke '#F4F8FB' -strokewidth 12 -fill '#F4F8FB' -draw "$clock" -draw "$bars" -draw "$heart" \
  -stroke '#FFF08A' -fill '#FFF08A' -draw "$bulb" \
  -draw "$(block 512 '#9BF08E' '#2E9E45')" -draw "$(gloss 512)" \
  -draw "$(block 640 '#FFD76E' '#E98514')" -draw "$(gloss 640)" \
  -draw "$(block 768 '#FF9383' '#CF2B26')" -draw "$(gloss 768)" \
  -filter Box -resize 112x16 \
  -define png:exclude-chunks=date,time -strip PNG32:"$out"
