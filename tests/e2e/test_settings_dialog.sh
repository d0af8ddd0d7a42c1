#!/usr/bin/env bash
# The settings dialog as a user meets it, opened from the tray icon's menu:
# it shows the stored interval, refuses an hour above 4 and returns the field
# to its text, stores the interval, the skin and the background path on Ok
# (Enter) and reloads the panel with the new skin, writes and removes the
# autostart entry as soon as Autorun is ticked or cleared, and stores nothing
# on Cancel or Esc; both close it and send the panel up again. Its controls
# are Common Controls 6, as the executable's manifest asks, in the layout and
# Tab order they always had, the skin strip now among them.
source "$(dirname "$0")/lib.sh"
start_display
install_program

# The scratch copy lies in no admin-only folder: its entry is the user's own.
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
store_setting Hours 2
store_setting Minutes 30
launch
wait_for_panel 10
wait_for_panel_top -140 5 || fail "the panel did not rise after start-up"

# --- First opening: what it shows, the hours check, Ok by Enter.
open_settings
read -r width height < <(dialog_controls "$DIALOG" | awk '$1 == "dialog" {print $6, $7}')
[[ "$width x $height" == "304 x 244" ]] || fail "the dialog's client area is ${width}x${height}"
[[ "$(fields)" == "2|30" ]] || fail "the fields show $(fields), not the stored 2|30"
[[ "$(control "$DIALOG" $AUTORUN_ID checked)" == 1 ]] || fail "Autorun is not ticked after the first run"
# The manifest in the executable gives the dialog Common Controls 6: the
# buttons and fields are not user32's old classes.
for id in $OK_ID $AUTORUN_ID $HOURS_ID; do
  [[ "$(probe class-owner "$DIALOG" $id)" == other ]] ||
    fail "control $id of the dialog is one of user32's pre-Vista controls: no Common Controls 6 manifest took effect"
done
# Common Controls 6 moves nothing: every control where the dialog always had
# it (id class x y width height visible, from the client area's corner), and
# Tab walks hours, minutes, Cancel, Ok, the skin strip, Autorun and back to
# the hours.
layout=$(dialog_controls "$DIALOG" | awk '$1 == "dialog" {x = $4; y = $5}
  $1 == "control" {print $2, $3, $4 - x, $5 - y, $6, $7, $8}')
[[ "$layout" == "0 ScrollBar 16 135 273 17 1
104 Static 16 24 77 13 1
101 Edit 105 26 29 15 1
105 Static 141 24 4 13 1
102 Edit 152 26 29 15 1
106 Static 188 24 83 13 1
107 Static 16 56 58 13 1
2 Button 224 200 65 25 1
1 Button 152 200 65 25 1
0 QuorbelSkinStrip 18 82 269 53 1
103 Button 16 168 145 17 1
108 Button 496 32 49 17 0" ]] || fail "the dialog's layout changed: $layout"
read -r x y < <(dialog_controls "$DIALOG" | awk '$1 == "dialog" {print $4, $5}')
xdotool mousemove $((x + 200)) $((y + 180))  # keys go to the window under the pointer
order=$(probe focus "$DIALOG")
for step in 1 2 3 4 5 6; do
  xdotool key Tab
  sleep 0.2
  order+=" $(probe focus "$DIALOG")"
  ((step == 4)) && screenshot "$E2E_DIR/strip_focused.png"
done
[[ "$order" == "101 102 2 1 0 103 101" ]] || fail "Tab walks the dialog's controls as $order"
screenshot "$E2E_DIR/dialog_opened.png"
note "dialog open, panel shown above it: $E2E_DIR/dialog_opened.png"

click_control "$DIALOG" $HOURS_ID
sleep 0.2
xdotool key End
xdotool type 'a '
sleep 0.5
dialog_controls "$MESSAGE" >/dev/null && fail "a letter brought up a message"
[[ "$(fields)" == "2|30" ]] || fail "a letter or a space reached the field: $(fields)"

xdotool type 5
wait_for_dialog "$MESSAGE" 5 || fail "hours 25 brought up no message"
text=$(control "$MESSAGE" 65535 text)  # the message box's text label
[[ "$text" == "The maximum allowable value is 4 hours, please re-enter a valid hour." ]] ||
  fail "the hours message reads '$text'"
screenshot "$E2E_DIR/hours_message.png"
click_control "$MESSAGE" $OK_ID
wait_for_no_dialog "$MESSAGE" 5 || fail "the message did not close"
[[ "$(fields)" == "2|30" ]] || fail "after the message the fields show $(fields), not 2|30"
note "hours 25 refused with the message; the field is back at 2"

replace_field $HOURS_ID 1
replace_field $MINUTES_ID 45
dialog_controls "$MESSAGE" >/dev/null && fail "1 h 45 min brought up a message"
[[ "$(fields)" == "1|45" ]] || fail "the new interval did not reach the fields: $(fields)"
click_thumbnail 2
sleep 0.3
cp "$E2E_DIR/Config.ini" "$E2E_DIR/Config.ini.before"
xdotool key Return
closed_and_risen "Enter (Ok)"
[[ "$(reg_value "$SETTINGS" Hours)" == 0x1 ]] || fail "Ok stored Hours $(reg_value "$SETTINGS" Hours)"
[[ "$(reg_value "$SETTINGS" Minutes)" == 0x2d ]] || fail "Ok stored Minutes $(reg_value "$SETTINGS" Minutes)"
wine reg query "$SETTINGS" /v Background 2>/dev/null | grep -q 'Background *REG_SZ' ||
  fail "Ok did not store Background"
[[ "$(config_selected)" == 3 ]] || fail "Ok stored Selected=$(config_selected) in Config.ini"
cmp -s <(sed 's/^Selected=3\r$/Selected=1\r/' "$E2E_DIR/Config.ini") "$E2E_DIR/Config.ini.before" ||
  fail "Ok changed more of Config.ini than the value of Selected"
note "Ok stored Hours 1, Minutes 45, Background and Selected=3 (Config.ini keeps every other byte); the panel rose"

# --- Second opening: the panel wears the new skin; Autorun acts at once;
# Cancel keeps the rest.
open_settings
[[ "$(fields)" == "1|45" ]] || fail "the reopened dialog shows $(fields)"
screenshot "$E2E_DIR/dialog_reopened.png"
# Points of the skin with no text or picture drawn over them.
panel_left=$(panel_field left)
for point in 20,120 440,130 225,135 300,70; do
  x=${point%,*} y=${point#*,}
  shown=$(pixel "$E2E_DIR/dialog_reopened.png" $((panel_left + x)) "$y")
  skin=$(pixel "$E2E_DIR/skins/graphite.png" "$x" "$y")
  [[ "${skin/srgba(/srgb(}" == "${shown%)},1)" ]] ||
    fail "the panel at $point is $shown, the third skin there is $skin"
done
note "the panel shows the third skin: $E2E_DIR/dialog_reopened.png"

click_control "$DIALOG" $AUTORUN_ID
sleep 0.5
[[ -z "$(reg_value "$RUN_KEY" Clock)" ]] || fail "clearing Autorun left the autostart entry"
[[ "$(reg_value "$SETTINGS" Autorun)" != 0x1 ]] || fail "clearing Autorun left Autorun = 1"
click_control "$DIALOG" $AUTORUN_ID
sleep 0.5
entry=$(reg_value "$RUN_KEY" Clock)
[[ "$entry" == *'\QuorbelClock.exe' ]] || fail "ticking Autorun wrote the entry '$entry'"
[[ "$(reg_value "$SETTINGS" Autorun)" == 0x1 ]] || fail "ticking Autorun did not store 1"
click_control "$DIALOG" $AUTORUN_ID
sleep 0.5
[[ -z "$(reg_value "$RUN_KEY" Clock)" ]] || fail "clearing Autorun again left the autostart entry"
note "Autorun cleared, ticked, cleared: the entry went, came back ($entry) and went"

replace_field $HOURS_ID 3
click_thumbnail 0
sleep 0.3
click_control "$DIALOG" $CANCEL_ID
closed_and_risen Cancel
[[ "$(reg_value "$SETTINGS" Hours)" == 0x1 ]] || fail "Cancel stored Hours $(reg_value "$SETTINGS" Hours)"
[[ "$(config_selected)" == 3 ]] || fail "Cancel stored Selected=$(config_selected)"
[[ -z "$(reg_value "$RUN_KEY" Clock)" ]] || fail "Cancel brought the autostart entry back"
note "Cancel stored nothing, kept Autorun as it was left, and the panel rose"

# --- Third opening: Autorun shows as cleared; Esc is Cancel.
open_settings
[[ "$(control "$DIALOG" $AUTORUN_ID checked)" == 0 ]] || fail "Autorun is ticked again after it was cleared"
[[ "$(fields)" == "1|45" ]] || fail "the dialog shows $(fields) after Cancel"
click_control "$DIALOG" $MINUTES_ID
sleep 0.2
xdotool key Escape
closed_and_risen Esc
[[ -z "$(reg_value "$RUN_KEY" Clock)" ]] || fail "the third opening wrote the autostart entry"
note "Esc closed the dialog; the panel rose"
