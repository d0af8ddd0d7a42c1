#!/usr/bin/env bash
# With 0 h 1 min, a reminder due while the notification server is inhibited
# and a full-screen window is active under a window manager stays up out of
# view; it waits while either holds and comes down at the first minute after
# both have ended.
source "$(dirname "$0")/lib.sh"

prepare_home
start_display
start_session_bus
openbox --sm-disable >"$E2E_DIR/openbox.log" 2>&1 &
E2E_PIDS+=($!)
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_until 10 wm_running || fail "openbox did not start"
store_interval 0 1

STATE="$E2E_DIR/inhibited"
GETS="$E2E_DIR/notification_gets.log"
echo true >"$STATE"
: >"$GETS"
/usr/bin/python3 "$QUORBEL_SOURCE_DIR/tests/e2e_qt/fake_notifications.py" "$STATE" "$GETS" \
  >"$E2E_DIR/notifications.log" 2>&1 &
E2E_PIDS+=($!)
wait_until 10 grep -qx ready "$E2E_DIR/notifications.log" || fail "the fake notification server did not start"

xterm -fullscreen -title presenting -e sleep 600 &
XTERM_PID=$!
E2E_PIDS+=($XTERM_PID)
full_screen_active() {
  local active
  active=$(xprop -root _NET_ACTIVE_WINDOW 2>/dev/null | awk '{print $NF}')
  [[ "$active" == 0x* ]] && xprop -id "$active" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_FULLSCREEN
}
wait_until 10 full_screen_active || fail "the full-screen window is not the active one"

keep_user_busy
launch
started=$(date +%s)
wait_for_panel 10
wait_until 5 panel_at -140 || fail "the panel did not rise after start"
[[ ! -s "$GETS" ]] || fail "the notification server was asked before a reminder was due"

# Minute 1 falls due while both hold.
wait_until 70 test -s "$GETS" || fail "the notification server was not asked within 70 s"
due=$(($(date +%s) - started))
sleep 3
panel_at -140 || fail "the reminder came down while the desktop was inhibited (top $(panel_top))"
note "reminder due after $due s, held"

# Not inhibited from here: minute 2 asks again; the full-screen window holds.
echo false >"$STATE"
wait_until 70 grep -q 'false$' "$GETS" || fail "the held reminder was not asked about again"
sleep 3
panel_at -140 || fail "the reminder came down over a full-screen window (top $(panel_top))"
screenshot "$E2E_DIR/held.png"
note "asked again $(($(date +%s) - started)) s after start; the full-screen window holds it"

kill "$XTERM_PID"
wait "$XTERM_PID" 2>/dev/null || true
ended=$(date +%s)
if ! wait_until 70 panel_at 0; then
  fail "the held reminder did not come down within 70 s of the presentation's end (top $(panel_top))"
fi
after=$(($(date +%s) - ended))
screenshot "$E2E_DIR/shown.png"
wait_until 16 panel_at -140 || fail "the reminder did not rise again"
gets=$(wc -l <"$GETS")
note "came down $after s after the full-screen window closed; the server was read $gets times"
