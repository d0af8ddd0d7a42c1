#!/bin/bash
# Opens the settings dialog under Wine on a display of its own and drives it
# with xdotool: a rejected hours value shows the message box and returns the
# field to its text, letters are filtered out, Enter is Ok and Esc is Cancel.
# Usage: dialog_e2e.sh <dialog_demo.exe> <work directory>
set -u
demo_exe=$1
work=$(realpath -m "$2")

rm -rf "$work"
mkdir -p "$work/app"
cp "$demo_exe" "$work/app/dialog_demo.exe"
export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv="

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
cleanup() {
  wineserver -k 2>/dev/null
  kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

fail() {
  echo "FAIL: $*"
  echo "--- program output:"
  cat "$work/out.txt" 2>/dev/null
  exit 1
}

# The Wine server and services first, so they do not hold ctest's pipe.
mkdir -p "$WINEPREFIX"
wineserver -p
wineboot -i </dev/null >/dev/null 2>&1
for font in Arial "Microsoft Sans Serif" "MS Sans Serif"; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /d 'Liberation Sans' /f \
    </dev/null >/dev/null 2>&1
done

# Thumbnails in the three formats the picker must read, one beyond the view.
font_file=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
for i in 1 2 3 4 5 6 7; do
  convert-im6.q16 -size 49x49 "xc:hsl($((i * 50)),70%,50%)" -fill white -font "$font_file" \
    -pointsize 20 -gravity center -annotate 0 "$i" "$work/app/s$i.png"
done
convert-im6.q16 "$work/app/s2.png" "$work/app/s2.bmp"
convert-im6.q16 "$work/app/s3.png" "$work/app/s3.jpg"
{
  printf '[Skins]\r\nLanguage=TitleEN\r\nCount=7\r\nSelected=2\r\n'
  printf 'SBitmap(1)=s1.png\r\nSBitmap(2)=s2.bmp\r\nSBitmap(3)=s3.jpg\r\n'
  for i in 4 5 6 7; do printf 'SBitmap(%d)=s%d.png\r\n' "$i" "$i"; done
} >"$work/app/Config.ini"

start_demo() {
  : >"$work/out.txt"
  (cd "$work/app" && timeout 60 wine dialog_demo.exe "$@" >"$work/out.txt" 2>/dev/null) &
}

# Waits for a window of that exact name and sets X Y WIDTH HEIGHT.
wait_window() {
  local id=""
  for _ in $(seq 100); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$id" ] && break
    sleep 0.2
  done
  [ -n "$id" ] || return 1
  eval "$(xdotool getwindowgeometry --shell "$id")"
}

wait_output() {
  for _ in $(seq 50); do
    output | grep -qx -- "$1" && return 0
    sleep 0.2
  done
  return 1
}

# The program's lines, without the carriage returns of its text-mode output.
output() { tr -d '\r' <"$work/out.txt"; }
last_fields() { output | grep '^fields ' | tail -1; }

# Run 1: Hours 2, Minutes 30.
start_demo --hours 2 --minutes 30
wait_window Setting || fail "the settings dialog did not open"
[ "$WIDTH" = 304 ] && [ "$HEIGHT" = 244 ] || fail "client area ${WIDTH}x$HEIGHT, not 304x244"
dialog_x=$X
dialog_y=$Y
wait_output "fields 2|30|" || fail "the fields do not show the stored interval"
import -window root "$work/opened.png"

hours_x=$((dialog_x + 125))
hours_y=$((dialog_y + 33))
xdotool mousemove "$hours_x" "$hours_y" click 1
sleep 0.3
xdotool key End
xdotool type a
sleep 0.5
xdotool search --name "^Quorbel Alarm Clock\$" >/dev/null 2>&1 && fail "a letter raised the message"
[ "$(last_fields)" = "fields 2|30|" ] || fail "a letter reached the field: $(last_fields)"

xdotool type 5
wait_window "Quorbel Alarm Clock" || fail "hours 25 was not rejected with a message"
import -window root "$work/message.png"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 21)) click 1
wait_output "fields 2|30|" || fail "the hours field did not return to 2"
output | grep -qx "fields 25|30|" || fail "the typed 5 never reached the field"

xdotool mousemove "$hours_x" "$hours_y" click 1
sleep 0.3
xdotool key Return
wait_output "Update(true)" || fail "Enter did not act as Ok"
wait_output "stored 2 30 autorun=0 entry=0" || fail "Ok stored something else"

# Run 2: Esc is Cancel and stores nothing.
start_demo --hours 1
wait_window Setting || fail "the settings dialog did not open again"
xdotool mousemove $((X + 125)) $((Y + 33)) click 1
sleep 0.3
xdotool key Escape
wait_output "Time3active" || fail "Esc did not act as Cancel"
output | grep -q "Update" && fail "Cancel reloaded the panel"
wait_output "stored 1 0 autorun=0 entry=0" || fail "Cancel changed the stored values"
echo "PASS"
