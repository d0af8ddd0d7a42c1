#!/usr/bin/env bash
# Start-up as a user meets it: the first run registers autostart and an
# interval that reminds, the panel shows at the top of the screen and rises
# out of view, and later starts neither duplicate the program nor rewrite its
# settings.
source "$(dirname "$0")/lib.sh"
start_display
install_program

# The scratch copy lies in no admin-only folder: its entry is the user's own.
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

watch_log="$E2E_DIR/watch.log"
probe watch 2500 20000 >"$watch_log" &
watch_pid=$!
launch
wait "$watch_pid" || fail "the panel did not appear within 20 s"
expect_own_instance

note "panel tops after it appeared: $(tr '\n' ' ' <"$watch_log")"
first_visible=$(awk '$3 == 1 {print $2; exit}' "$watch_log")
[[ -n "$first_visible" && "$first_visible" -gt -140 ]] || fail "the panel was never visible on screen"
risen_at=$(awk '$2 == -140 && $3 == 1 {print $1; exit}' "$watch_log")
[[ -n "$risen_at" ]] || fail "the panel did not rise to -140"
((risen_at <= 1000)) || fail "the panel took ${risen_at} ms to rise"

read -r left width height topmost screen < <(probe panel | awk '{for (i = 1; i <= NF; i++) {split($i, a, "="); v[a[1]] = a[2]} print v["left"], v["width"], v["height"], v["topmost"], v["screen"]}')
[[ "$width" == 450 && "$height" == 140 ]] || fail "panel is ${width}x${height}"
[[ "$left" == $(((screen - 450) / 2)) ]] || fail "panel left is $left on a $screen px screen"
[[ "$topmost" == 1 ]] || fail "panel is not top-most"

[[ "$(reg_value "$SETTINGS" Autorun)" == 0x1 ]] || fail "first run did not store Autorun = 1"
entry=$(reg_value "$RUN_KEY" Clock)
[[ "$entry" == *QuorbelClock.exe* ]] || fail "first run did not write the autostart entry (got '$entry')"
[[ "$(reg_value "$SETTINGS" Hours) $(reg_value "$SETTINGS" Minutes)" == "0x1 0x0" ]] ||
  fail "first run did not store the interval 1 h 0 min (Hours $(reg_value "$SETTINGS" Hours), Minutes $(reg_value "$SETTINGS" Minutes))"
note "first run: Autorun = 1, interval 1 h 0 min, autostart entry $entry"

for arguments in "" "--some argument"; do
  # shellcheck disable=SC2086
  status=0
  (cd "$E2E_DIR" && timeout 10 wine "$PROGRAM" $arguments </dev/null >/dev/null 2>&1) || status=$?
  ((status != 124)) || fail "a second start with '$arguments' did not end within 10 s"
done
sleep 0.5
expect_own_instance
probe panel >/dev/null || fail "the first instance's panel is gone"
note "second starts ended; the first instance runs on"

stop_program || fail "the first instance did not end"
wine reg delete "$RUN_KEY" /v Clock /f >/dev/null 2>&1
launch
wait_for_panel 10
sleep 1
[[ -z "$(reg_value "$RUN_KEY" Clock)" ]] || fail "a start with Autorun = 1 rewrote the autostart entry"
note "a start with Autorun = 1 writes nothing"
