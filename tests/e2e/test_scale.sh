#!/usr/bin/env bash
# At 96, 144 and 192 dots per inch (Wine's LogPixels) the program is aware
# of its monitor's DPI: the panel window is 450 x 140 logical pixels in the
# screen's own, centred, shown at the top and risen in 14 steps of 10
# logical pixels (a probe under Wine may miss a step, never see another
# top); the settings dialog's client area is 304 x 244 logical
# pixels. At 192 the panel's texts are drawn at the scale, not a 96-dpi
# picture enlarged. Runs in a prefix of its own, so no other test meets a
# changed DPI. SCALE_SHOTS=DIR keeps the screenshots at 192.
source "$(dirname "$0")/lib.sh"

# scaled LENGTH: LENGTH logical pixels at the DPI, to the nearest.
scaled() { awk -v n="$1" -v d="$dpi" 'BEGIN { v = n * d / 96; printf "%d", v < 0 ? v - 0.5 : v + 0.5 }'; }

field() { tr ' ' '\n' | sed -n "s/^$1=//p"; }

run_at() {
  dpi=$1
  E2E_DIR="$QUORBEL_BUILD_DIR/e2e/$E2E_NAME/$dpi"
  VIRTUAL_SCREEN="$(scaled 1280)x$(scaled 800)x24" start_display
  start_clean_wine_session "$QUORBEL_BUILD_DIR/wineprefix-scale" || fail "no clean Wine session"
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1 ||
    fail "could not set LogPixels"
  # A new server session reads it.
  start_clean_wine_session "$QUORBEL_BUILD_DIR/wineprefix-scale" || fail "no clean Wine session"
  wine reg delete "$SETTINGS" /f </dev/null >/dev/null 2>&1 || true
  rm -rf "$E2E_DIR"
  mkdir -p "$E2E_DIR"
  cp -r "$QUORBEL_BUILD_DIR/bin/." "$E2E_DIR/"
  PROGRAM="$E2E_DIR/QuorbelClock.exe"

  probe watch 2500 20000 >"$E2E_DIR/watch.log" &
  local watch_pid=$!
  sleep 1  # the probe looking before the program starts: its first top is 0
  launch
  wait "$watch_pid" || fail "at $dpi dpi the panel did not appear within 20 s"
  expect_own_instance
  local tops expected
  tops=$(awk '{print $2}' "$E2E_DIR/watch.log" | tr '\n' ' ')
  expected="0 $(for step in $(seq 1 14); do printf '%s ' "$(scaled $((-10 * step)))"; done)"
  local seen=" $tops" rest=" $expected" top
  for top in $tops; do
    [[ "$rest" == *" $top "* ]] || fail "at $dpi dpi the panel's tops were: $tops (expected, in order: $expected)"
    rest=" ${rest#* $top }"
  done
  [[ "$seen" == " 0 "* && "$seen" == *" $(scaled -140) " ]] ||
    fail "at $dpi dpi the panel's tops were: $tops (from 0 to $(scaled -140))"

  local panel left width height screen
  panel=$(probe panel)
  left=$(field left <<<"$panel")
  width=$(field width <<<"$panel")
  height=$(field height <<<"$panel")
  screen=$(field screen <<<"$panel")
  [[ "$width" == "$(scaled 450)" && "$height" == "$(scaled 140)" ]] || fail "at $dpi dpi the panel is ${width}x$height"
  [[ "$left" == $(((screen - width) / 2)) ]] || fail "at $dpi dpi the panel's left is $left on a $screen px screen"

  wait_until 10 tray_has_icon || fail "at $dpi dpi no icon docked"
  open_settings
  local dialog client
  dialog=$(probe dialog)
  client="$(field width <<<"$dialog")x$(field height <<<"$dialog")"
  [[ "$client" == "$(scaled 304)x$(scaled 244)" ]] || fail "at $dpi dpi the dialog's client area is $client"
  sleep 0.5
  screenshot "$E2E_DIR/shown.png"
  if [[ "$dpi" == 192 ]]; then check_sharp_at_192 "$left" "$dialog"; fi
  note "at $dpi dpi: panel ${width}x$height at left $left, tops $tops; dialog client $client"
  stop_program || fail "the program did not end"
  stop_wine_server
  kill "${VIRTUAL_DISPLAY_PIDS[@]}" 2>/dev/null || true
  VIRTUAL_DISPLAY_PIDS=()
}

check_sharp_at_192() {
  local panel="$E2E_DIR/panel.png" difference
  convert-im6.q16 "$E2E_DIR/shown.png" -crop "900x280+$1+0" +repage "$panel"
  convert-im6.q16 "$panel" -filter Box -resize 50% -filter Point -resize 200% "$E2E_DIR/blocks.png"
  difference=$( (compare-im6.q16 -metric RMSE "$panel" "$E2E_DIR/blocks.png" null: 2>&1 || true) | sed -nE 's/.*\((.*)\).*/\1/p')
  awk -v d="$difference" 'BEGIN { exit !(d > 0.02) }' ||
    fail "at 192 dpi the panel is a 96-dpi picture enlarged (difference from its 2x2 blocks: $difference)"
  note "at 192 dpi the panel differs from its own 2x2 blocks by $difference (RMSE)"
  if [[ -n "${SCALE_SHOTS:-}" ]]; then
    mkdir -p "$SCALE_SHOTS"
    cp "$panel" "$SCALE_SHOTS/panel-windows@2x.png"
    local x y
    x=$(field x <<<"$2")
    y=$(field y <<<"$2")
    # The client area: without a window manager Wine draws no caption.
    convert-im6.q16 "$E2E_DIR/shown.png" -crop "608x488+$x+$y" +repage "$SCALE_SHOTS/dialog-windows@2x.png"
  fi
}

for dpi in 96 144 192; do run_at "$dpi"; done
