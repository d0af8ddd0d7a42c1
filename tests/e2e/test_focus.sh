#!/usr/bin/env bash
# The panel must never take the keyboard from the user's work: while it shows
# and slides at start-up, keys keep going to the window the user types in.
source "$(dirname "$0")/lib.sh"
start_display
# trayer's embedding of a newly docked icon moves the X keyboard focus to
# the icon on its own; without a tray host Wine keeps the icon in a window of
# its own and only the panel's own behaviour is measured.
kill "$TRAYER_PID"
install_program

typing_log="$E2E_DIR/typing.log"
wine "$PROBE" input-window 8 </dev/null >"$typing_log" 2>/dev/null &
typing_pid=$!
for _ in $(seq 50); do grep -q ready "$typing_log" 2>/dev/null && break; sleep 0.1; done
grep -q ready "$typing_log" || fail "the typing window did not open"
xdotool mousemove 200 450

launch
wait_for_panel 10
xdotool type --delay 50 'abc'
wait "$typing_pid" || true
tr -d '\r' <"$typing_log" >"$typing_log.txt"
note "typing window saw: $(tr '\n' ' ' <"$typing_log.txt")"
[[ "$(grep -c '^char 9[789]$' "$typing_log.txt")" == 3 ]] || fail "keys typed after start-up did not reach the user's window"
grep -q '^focus=1$' "$typing_log.txt" || fail "the user's window lost the focus to the panel"
