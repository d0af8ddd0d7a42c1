#!/usr/bin/env bash
# At Qt's scale factors 1, 1.5 and 2 the panel is 450 x 140 logical pixels
# drawn in the screen's own: its window is the scaled size, centred, shown
# at the top and risen in 14 steps of 10 logical pixels; the settings
# dialog's client area is 304 x 244 logical pixels. At 2 the panel's texts
# are drawn at the scale, not a 1x picture enlarged (an enlarged picture
# equals its own 2 x 2 box average spread back). SCALE_SHOTS=DIR keeps the
# screenshots at 2.
source "$(dirname "$0")/lib.sh"

# scaled LENGTH: LENGTH logical pixels at the factor, to the nearest.
scaled() { awk -v n="$1" -v f="$factor" 'BEGIN { v = n * f; printf "%d", v < 0 ? v - 0.5 : v + 0.5 }'; }

# last_top: the panel window's latest top the X server reported.
last_top() {
  sed -nE "s/.*\((-?[0-9]+),(-?[0-9]+)\), width $(scaled 450), height $(scaled 140).*/\2/p" "$E2E_DIR/root_events.log" | tail -n 1
}
top_is() { [[ "$(last_top)" == "$1" ]]; }

run_at() {
  factor=$1
  E2E_DIR="$QUORBEL_BUILD_DIR/e2e_qt/$E2E_NAME/$factor"
  prepare_home
  # The same logical desktop at every factor: the dialog opens below the
  # panel, and both show whole on the screenshot.
  VIRTUAL_SCREEN="$(scaled 1280)x$(scaled 800)x24" start_display
  export QT_SCALE_FACTOR=$factor
  local width height
  width=$(scaled 450)
  height=$(scaled 140)
  xev -root -event substructure >"$E2E_DIR/root_events.log" 2>&1 &
  E2E_PIDS+=($!)
  sleep 0.3
  launch
  found() { xwininfo -root -tree 2>/dev/null | grep -F "\"$CAPTION\"" | grep -q " ${width}x${height}+"; }
  wait_until 10 found || fail "at $factor no ${width}x$height panel window ($(xwininfo -root -tree | grep -F "\"$CAPTION\"" | head -n 3))"
  wait_until 5 tray_has_icon || fail "at $factor no icon docked"
  wait_until 5 top_is "$(scaled -140)" || fail "at $factor the panel did not rise (top $(last_top))"

  # Shown at the top first, then 14 steps up to minus its height.
  local tops expected
  tops=$(sed -nE "s/.*\((-?[0-9]+),(-?[0-9]+)\), width $width, height $height.*/\2/p" "$E2E_DIR/root_events.log" | uniq | tr '\n' ' ')
  expected="0 $(for step in $(seq 1 14); do printf '%s ' "$(scaled $((-10 * step)))"; done)"
  [[ "$tops" == "$expected" ]] || fail "at $factor the panel's tops were: $tops (expected: $expected)"
  local left screen_width
  left=$(sed -nE "s/.*\((-?[0-9]+),-?[0-9]+\), width $width, height $height.*/\1/p" "$E2E_DIR/root_events.log" | tail -n 1)
  screen_width=$(xdpyinfo | awk '/dimensions:/ {split($2, d, "x"); print d[1]}')
  local off_centre=$((2 * left + width - screen_width))
  ((off_centre >= -3 && off_centre <= 3)) || fail "at $factor the panel is not centred (left $left)"

  open_settings_at_scale
  local dialog geometry
  dialog=$(dialog_window)
  geometry=$(xwininfo -id "$dialog" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}')
  [[ "$geometry" == "$(scaled 304)x$(scaled 244)" ]] || fail "at $factor the dialog's client area is $geometry"
  sleep 0.5
  screenshot "$E2E_DIR/shown.png"
  if [[ "$factor" == 2 ]]; then check_sharp_at_two; fi
  note "at $factor: panel ${width}x$height at left $left, tops $tops; dialog $geometry"
  kill "$PROGRAM_PID" 2>/dev/null || true
  wait "$PROGRAM_PID" 2>/dev/null || true
  stop_virtual_display
  VIRTUAL_DISPLAY_PIDS=()
}

# The tray menu's first item; the panel comes down with the dialog.
open_settings_at_scale() {
  open_menu "for the settings at $factor"
  choose_menu_item 1
  wait_until 4 dialog_open || fail "at $factor the settings dialog did not open"
  wait_until 3 top_is 0 || fail "at $factor the panel did not come down with the dialog"
}

check_sharp_at_two() {
  local left panel
  left=$(sed -nE "s/.*\((-?[0-9]+),-?[0-9]+\), width 900, height 280.*/\1/p" "$E2E_DIR/root_events.log" | tail -n 1)
  panel="$E2E_DIR/panel.png"
  convert-im6.q16 "$E2E_DIR/shown.png" -crop "900x280+$left+0" +repage "$panel"
  convert-im6.q16 "$panel" -filter Box -resize 50% -filter Point -resize 200% "$E2E_DIR/blocks.png"
  local difference
  difference=$( (compare-im6.q16 -metric RMSE "$panel" "$E2E_DIR/blocks.png" null: 2>&1 || true) | sed -nE 's/.*\((.*)\).*/\1/p')
  awk -v d="$difference" 'BEGIN { exit !(d > 0.02) }' ||
    fail "at 2 the panel is a 1x picture enlarged (difference from its 2x2 blocks: $difference)"
  note "at 2 the panel differs from its own 2x2 blocks by $difference (RMSE)"
  if [[ -n "${SCALE_SHOTS:-}" ]]; then
    mkdir -p "$SCALE_SHOTS"
    cp "$panel" "$SCALE_SHOTS/panel-linux@2x.png"
    local dialog_left dialog_top
    eval "$(xwininfo -id "$(dialog_window)" | awk '/Absolute upper-left X:/ {print "dialog_left=" $4} /Absolute upper-left Y:/ {print "dialog_top=" $4}')"
    convert-im6.q16 "$E2E_DIR/shown.png" -crop "608x488+$dialog_left+$dialog_top" +repage "$SCALE_SHOTS/dialog-linux@2x.png"
  fi
}

for factor in 1 1.5 2; do run_at "$factor"; done
