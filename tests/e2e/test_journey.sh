#!/usr/bin/env bash
# The whole journey in one run of the real program: first start, a reminder
# at 0 h 1 min with its level-2 texts, a break of more than two minutes that
# starts the count again, the next reminder a full interval after work
# resumes, new settings with another skin from the tray menu, and Exit.
# Its arrival sound is not a sound at all: the reminders must not mind.
source "$(dirname "$0")/lib.sh"
start_display
install_program
echo "not a sound" >"$E2E_DIR/load.wav"

store_setting Hours 0
store_setting Minutes 1

start_working_user 600

started=$SECONDS
launch
wait_for_panel 10
wait_for_panel_top -140 5 || fail "the panel did not rise after start-up"
[[ "$(reg_value "$SETTINGS" Autorun)" == 0x1 ]] || fail "the first start did not store Autorun = 1"
note "first start: the panel rose, autostart registered"

# reminder LABEL: waits for the panel to come down, checks its drawing
# against the preview of level 2 at one minute, and for it to rise again.
reminder() {
  local came
  wait_for_panel_top 0 80 || fail "no $1 reminder came within 80 s ($(why_no_reminder))"
  came=$SECONDS
  screenshot "$E2E_DIR/$1.png"
  local differing
  differing=$(panel_differs_from_preview "$E2E_DIR/$1.png" 1 2 1)
  ((differing < 600)) || fail "the $1 reminder differs from the level-2 panel in $differing pixels ($E2E_DIR/$1.png)"
  wait_for_panel_top -140 20 || fail "the $1 reminder did not rise"
  note "$1 reminder: level 2 at 00:01 ($differing pixels off the preview), held and rose after $((SECONDS - came)) s"
}

reminder first
first_at=$((SECONDS - started))
((first_at >= 50 && first_at <= 75)) || fail "the first reminder came after $first_at s, not about a minute"

rm "$WORKING"
note "a break of 125 s"
sleep 125
touch "$WORKING"
resumed=$SECONDS
expect_input_clock_moving
reminder second
after=$((SECONDS - resumed))
((after >= 55 && after <= 90)) || fail "the reminder after the break came $after s after work resumed"

# New settings from the tray menu: 0 h 2 min and the fourth skin. The user's
# hand is on the mouse now: keys go to the window under the pointer.
rm "$WORKING"
open_settings
replace_field $HOURS_ID 0
replace_field $MINUTES_ID 2
click_thumbnail 3
sleep 0.3
click_control "$DIALOG" $OK_ID
wait_for_no_dialog "$DIALOG" 5 || fail "Ok did not close the dialog"
wait_for_panel_top -140 5 || fail "the panel did not rise after Ok"
[[ "$(reg_value "$SETTINGS" Minutes)" == 0x2 ]] || fail "Ok stored Minutes $(reg_value "$SETTINGS" Minutes)"
[[ "$(config_selected)" == 4 ]] || fail "Ok stored Selected=$(config_selected)"
open_settings
screenshot "$E2E_DIR/reloaded.png"
differing=$(panel_differs_from_preview "$E2E_DIR/reloaded.png" 4 1 0)
((differing < 600)) || fail "the reloaded panel differs from skin 4 in $differing pixels ($E2E_DIR/reloaded.png)"
click_control "$DIALOG" $CANCEL_ID
wait_for_no_dialog "$DIALOG" 5 || fail "Cancel did not close the dialog"
note "Ok stored 0 h 2 min and skin 4; the panel wears it"

wait_for_panel_top -140 5 || fail "the panel did not rise after Cancel"
open_menu "to exit"
xdotool key x  # "E&xit" in the shipped texts
wait_until 5 tray_empty || fail "Exit left the icon in the tray"
for _ in $(seq 50); do kill -0 "$PROGRAM_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$PROGRAM_PID" 2>/dev/null && fail "Exit did not end the program"
note "Exit removed the icon and ended the program"
note "last-input stamps later than the tick count while the user worked: $(stamps_ahead "$STAMP_LOG")"
