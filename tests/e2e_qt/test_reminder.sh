#!/usr/bin/env bash
# With 0 h 1 min and a user at work, the reminder comes after about a minute,
# holds about ten seconds and rises, without taking the keyboard from the
# window the user types in. A break of more than 120 s then starts the count
# again: the next reminder comes a minute after the user is back, not at
# minute 31.
source "$(dirname "$0")/lib.sh"

prepare_home
start_display
store_interval 0 1

# The window the user types in, with the keyboard focus.
xev -name typing -geometry 300x100+100+400 >"$E2E_DIR/typing.log" 2>&1 &
E2E_PIDS+=($!)
typing_open() { [[ -n "$(xdotool search --name '^typing$' 2>/dev/null)" ]]; }
wait_until 5 typing_open || fail "the typing window did not open"
typing=$(xdotool search --name '^typing$' | head -n 1)
xdotool windowfocus --sync "$typing"

keep_user_busy
launch
started=$(date +%s)
wait_for_panel 10
wait_until 5 panel_at -140 || fail "the panel did not rise after start"
# A user the program cannot see at work would get no reminder at all.
idle=$(x_idle_ms)
[[ "$idle" != unknown ]] && ((idle < 2000)) || fail "the pointer moves but the X server's idle time is $idle ms"
focus_outs_before=$(grep -c '^FocusOut' "$E2E_DIR/typing.log" || true)

if ! wait_until 80 panel_at 0; then
  fail "no reminder within 80 s of start (panel top $(panel_top), X idle $(x_idle_ms) ms," \
    "settings: $(tr '\n' ' ' <"$SETTINGS_FILE"))"
fi
arrived=$(date +%s)
after=$((arrived - started))
((after >= 55 && after <= 75)) || fail "the reminder came after $after s, not about 60"

xdotool type --delay 50 hold
[[ "$(xdotool getwindowfocus)" == "$typing" ]] || fail "the panel took the keyboard focus"
wait_until 16 panel_at -140 || fail "the panel did not rise again within 16 s of its arrival"
held=$(($(date +%s) - arrived))
((held >= 9 && held <= 14)) || fail "the reminder held for $held s, not about 10"
grep -q '(keysym 0x6c, l)' "$E2E_DIR/typing.log" || fail "what the user typed during the reminder did not reach the window"
focus_outs=$(grep -c '^FocusOut' "$E2E_DIR/typing.log" || true)
((focus_outs == focus_outs_before)) || fail "the typing window lost the focus while the panel showed"
note "reminder after $after s, held $held s, typing window kept the focus"

# A break of more than 120 s.
stop_user
sleep 125
panel_at -140 || fail "a reminder came during the break"
note "X idle time at the end of the break: $(x_idle_ms) ms"
keep_user_busy
back=$(date +%s)
if ! wait_until 75 panel_at 0; then
  fail "no reminder within 75 s of the user's return: the break did not start the count again" \
    "(panel top $(panel_top), X idle $(x_idle_ms) ms)"
fi
again=$(($(date +%s) - back))
((again >= 55)) || fail "the reminder after the break came after $again s, before a full minute"
note "after a 125 s break the next reminder came $again s after the user was back"
