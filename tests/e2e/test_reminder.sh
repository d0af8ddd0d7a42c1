#!/usr/bin/env bash
# One reminder in real time: with an interval of 0 h 1 min and a user who
# keeps working, the panel comes down after about a minute, holds for about
# ten seconds, and rises again.
source "$(dirname "$0")/lib.sh"
start_display
install_program

store_setting Hours 0
store_setting Minutes 1
store_setting Autorun 1

start_working_user 110

watch_log="$E2E_DIR/watch.log"
probe watch 95000 >"$watch_log" &
watch_pid=$!
launch
wait_for_panel 10
wait "$watch_pid" || fail "the panel did not appear within 95 s"
note "panel tops: $(awk '{printf "%s:%s ", $1, $2}' "$watch_log")"
note "last-input stamps later than the tick count while the user worked: $(stamps_ahead "$STAMP_LOG")"

arrived=$(awk '$1 > 5000 && $2 == 0 {print $1; exit}' "$watch_log")
[[ -n "$arrived" ]] || fail "no reminder came down within 95 s ($(why_no_reminder))"
left=$(awk -v t="$arrived" '$1 > t && $2 < 0 {print $1; exit}' "$watch_log")
hidden=$(awk -v t="$arrived" '$1 > t && $2 == -140 {print $1; exit}' "$watch_log")
[[ -n "$left" && -n "$hidden" ]] || fail "the reminder did not rise again"
hold=$((left - arrived))
note "reminder arrived at ${arrived} ms, held ${hold} ms, hidden again at ${hidden} ms"
((arrived >= 55000 && arrived <= 70000)) || fail "the reminder came at ${arrived} ms, not about a minute"
((hold >= 8000 && hold <= 14000)) || fail "the reminder held for ${hold} ms, not about ten seconds"
