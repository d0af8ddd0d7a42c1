#!/usr/bin/env bash
# What a screen reader learns over AT-SPI, on the test's own session bus:
# the reminder that comes down shows as an alert whose name is what the
# panel says; the settings dialog's interval fields carry names; its skin
# strip is a list of named skins that Tab reaches and the arrow keys move.
source "$(dirname "$0")/lib.sh"

PROBE=(/usr/bin/python3 "$QUORBEL_SOURCE_DIR/tests/e2e_qt/atspi_probe.py")

prepare_home
start_display
store_interval 0 1

# The session bus, and the accessibility bus with its registry on it.
dbus-daemon --session --nofork --print-address=3 3>"$E2E_DIR/bus_address" >/dev/null 2>&1 &
E2E_PIDS+=($!)
wait_until 5 test -s "$E2E_DIR/bus_address" || fail "the session bus did not start"
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$E2E_DIR/bus_address")
export DBUS_SESSION_BUS_ADDRESS
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$E2E_DIR/atspi.log" 2>&1 &
E2E_PIDS+=($!)
registry_up() { [[ "$("${PROBE[@]}" tree nothing-at-all 2>&1)" == *"no application"* ]]; }
wait_until 10 registry_up || fail "no AT-SPI registry answered (log: $(tail -c 400 "$E2E_DIR/atspi.log"))"

"${PROBE[@]}" watch 150 >"$E2E_DIR/events.log" 2>&1 &
E2E_PIDS+=($!)
wait_until 5 grep -q '^watching' "$E2E_DIR/events.log" || fail "the AT-SPI listener did not start"

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
keep_user_busy
start_risen
"${PROBE[@]}" tree quorbel-clock >"$E2E_DIR/tree_start.txt" || fail "the program is not on the AT-SPI desktop"
grep -q "^1 alert|$CAPTION|" "$E2E_DIR/tree_start.txt" ||
  fail "the panel is no alert named \"$CAPTION\" before any reminder: $(head -n 5 "$E2E_DIR/tree_start.txt")"

wait_until 80 panel_at 0 || fail "no reminder within 80 s of start"
expected="Time for a short break. Working without a break: 00:01. Health risk: Tired eyes, stiff neck and shoulders. Advice: Stand up, stretch, look into the distance."
alert_told() { grep -qxF "object:state-changed:showing alert|$expected|1" "$E2E_DIR/events.log"; }
if ! wait_until 5 alert_told; then
  fail "no alert with the reminder's words came over AT-SPI; events: $(tail -n 6 "$E2E_DIR/events.log")"
fi
grep -qxF "object:property-change:accessible-name alert|$expected|0" "$E2E_DIR/events.log" ||
  fail "the alert's name change was not sent"
note "the reminder was told as: $expected"
wait_until 16 panel_at -140 || fail "the panel did not rise after the reminder"
(($(grep -c '^object:state-changed:showing alert' "$E2E_DIR/events.log") == 1)) ||
  fail "the alert was told more than once: $(grep showing "$E2E_DIR/events.log")"

open_settings
"${PROBE[@]}" tree quorbel-clock >"$E2E_DIR/tree_dialog.txt" || fail "the dialog's tree could not be read"
for field in '2 text|hours|' '2 text|minutes|'; do
  grep -qF "$field" "$E2E_DIR/tree_dialog.txt" ||
    fail "no interval field \"$field\" in the dialog: $(grep ' text|' "$E2E_DIR/tree_dialog.txt")"
done
grep -q '^2 list|Panel skin:|' "$E2E_DIR/tree_dialog.txt" || fail "the skin strip is no list named by its caption"
(($(grep -c '^3 list item|Skin [1-6]|' "$E2E_DIR/tree_dialog.txt") == 6)) || fail "the strip does not list six skins"
grep -q '^3 list item|Skin 1|selected$' "$E2E_DIR/tree_dialog.txt" || fail "Skin 1 is not the selected one"

# From Hours to the strip, one skin on, and Enter is Ok.
click_in_dialog 250 180
sleep 0.2
xdotool key Tab Tab Tab Tab
sleep 0.2
xdotool key Right
sleep 0.3
"${PROBE[@]}" tree quorbel-clock >"$E2E_DIR/tree_keys.txt"
grep -q '^3 list item|Skin 2|focused,selected$' "$E2E_DIR/tree_keys.txt" ||
  fail "after Tab and Right, Skin 2 is not the focused selection: $(grep 'list item' "$E2E_DIR/tree_keys.txt")"
screenshot "$E2E_DIR/strip_focused.png"
xdotool key Return
wait_until 3 dialog_closed || fail "Enter on the strip did not close the dialog"
[[ "$(user_selected)" == 2 ]] || fail "Ok stored skin $(user_selected), not 2"
note "the fields read hours and minutes; Tab, Right and Enter stored skin 2"
