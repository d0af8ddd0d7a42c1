#!/usr/bin/env bash
# Exit in the tray menu ends the program within 0.3 s of the choice and
# takes the icon away; a later start is a first instance again.
source "$(dirname "$0")/lib.sh"

prepare_home
start_display
start_risen

open_menu "to exit"
xdotool key Down Down Down
chosen=$(date +%s%N)
xdotool key Return
# Polled every 10 ms: the bound is what a user sees, not a benchmark.
ended() {
  local state
  state=$(ps -o stat= -p "$PROGRAM_PID" 2>/dev/null || true)
  [[ -z "$state" || "$state" == Z* ]]
}
for _ in $(seq 500); do ended && break; sleep 0.01; done
exit_ms=$((($(date +%s%N) - chosen) / 1000000))
ended || fail "Exit did not end the program within 5 s"
status=0
wait "$PROGRAM_PID" || status=$?
[[ "$status" == 0 ]] || fail "the program ended with status $status"
((exit_ms <= 300)) || fail "the program ended ${exit_ms} ms after Exit was chosen (at most 300 ms)"
wait_until 3 bash -c "! (( \$(xwininfo -id $(tray_panel_id) | awk '/Width:/ {print \$2}') > 2 ))" ||
  fail "the icon stayed in the tray after Exit"

launch
wait_for_panel 10
program_running || fail "a start after Exit did not run as the first instance"
note "Exit ended the program ${exit_ms} ms after the choice, with status 0, and removed the icon"
