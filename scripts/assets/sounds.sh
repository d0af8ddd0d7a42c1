#!/bin/sh
# The two sounds: a soft two-note chime when the panel arrives (load.wav) and a short
# rising blip (start.wav). Bell-like tones: a sine with two quieter partials and a
# logarithmic decay, then a touch of room. 16-bit PCM, mono, 22050 Hz.
# Usage: sounds.sh LOAD.wav START.wav
set -eu
load=$1 start=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
format="-V1 -R -r 22050 -c 1 -b 16 -e signed-integer"

partial() { # output, frequency, length in seconds
  sox $format -n "$1" synth "$3" sine "$2" fade q 0.006 fade l 0 "$3" "$(awk "BEGIN { print $3 - 0.006 }")"
}

note() { # output, frequency, length in seconds, delay in seconds
  partial "$work/p1.wav" "$2" "$3"
  partial "$work/p2.wav" "$(awk "BEGIN { print $2 * 2 }")" "$(awk "BEGIN { print $3 * 0.6 }")"
  partial "$work/p3.wav" "$(awk "BEGIN { print $2 * 3.01 }")" "$(awk "BEGIN { print $3 * 0.35 }")"
  sox $format -m -v 0.6 "$work/p1.wav" -v 0.22 "$work/p2.wav" -v 0.08 "$work/p3.wav" "$1" pad "$4"
}

note "$work/a.wav" 880 0.70 0
note "$work/b.wav" 1318.51 0.70 0.17
sox $format -m "$work/a.wav" "$work/b.wav" "$work/chime.wav"
sox $format "$work/chime.wav" "$load" reverb 18 60 30 gain -n -4 pad 0 0.1 trim 0 0.9 fade t 0 0.9 0.08

note "$work/c.wav" 1046.5 0.26 0
note "$work/d.wav" 1567.98 0.26 0.07
sox $format -m "$work/c.wav" "$work/d.wav" "$work/blip.wav"
sox $format "$work/blip.wav" "$start" reverb 12 60 20 gain -n -6 pad 0 0.1 trim 0 0.35 fade t 0 0.35 0.05
