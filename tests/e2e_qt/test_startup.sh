#!/usr/bin/env bash
# A first start: the panel shows at the top of the screen, centred, and rises
# out of view; the icon docks; the first run registers the autostart file and
# stores "Autorun" and an interval of 1 h 0 min. A second start ends at once
# and the first runs on.
source "$(dirname "$0")/lib.sh"

prepare_home
start_display
# Every place the X server gives a top-level window, in order.
xev -root -event substructure >"$E2E_DIR/root_events.log" 2>&1 &
E2E_PIDS+=($!)
sleep 0.3
launch
wait_for_panel 10

read -r left top width height < <(panel_geometry)
[[ "$width" == 450 && "$height" == 140 ]] || fail "the panel is ${width}x$height, not 450x140"
screen_width=$(xdpyinfo | awk '/dimensions:/ {split($2, d, "x"); print d[1]}')
[[ "$left" == $(((screen_width - 450) / 2)) ]] || fail "the panel is not centred (left $left)"
wait_until 5 panel_at -140 || fail "the panel did not rise out of view (top $(panel_top))"
# Shown at the top first, then 14 steps of 10 pixels up.
tops=$(sed -nE "s/.*\(-?[0-9]+,(-?[0-9]+)\), width 450, height 140.*/\1/p" "$E2E_DIR/root_events.log" | uniq | tr '\n' ' ')
expected="0 $(seq -s ' ' -10 -10 -140) "
[[ "$tops" == "$expected" ]] || fail "the panel's tops at start were: $tops (expected: $expected)"
wait_until 5 tray_has_icon || fail "no icon docked in the tray host"

[[ "$(setting Autorun)" == dword:00000001 ]] || fail "a first run did not store Autorun=1 ($(setting Autorun))"
[[ "$(setting Hours) $(setting Minutes)" == "dword:00000001 dword:00000000" ]] ||
  fail "a first run did not store the interval 1 h 0 min (Hours $(setting Hours), Minutes $(setting Minutes))"
[[ -f "$AUTOSTART_FILE" ]] || fail "a first run wrote no autostart file"
grep -q "^Exec=.*quorbel-clock" "$AUTOSTART_FILE" || fail "the autostart file does not start this program: $(cat "$AUTOSTART_FILE")"

first=$PROGRAM_PID
for arguments in "" "--some argument"; do
  # shellcheck disable=SC2086
  "$PROGRAM" $arguments </dev/null >/dev/null 2>&1 &
  second=$!
  E2E_PIDS+=($second)
  wait_until 5 bash -c "! kill -0 $second 2>/dev/null" || fail "a second start (arguments: '$arguments') did not end"
  wait "$second" || fail "a second start (arguments: '$arguments') ended with status $?"
done
PROGRAM_PID=$first
program_running || fail "the first instance ended when a second one started"
[[ "$(program_count)" == 1 ]] || fail "$(program_count) instances run"
panel_at -140 || fail "the first instance's panel moved (top $(panel_top))"
note "panel 450x140 at left $left, risen; icon docked; autostart written; second starts ended"
