#!/usr/bin/env bash
# The end of the user's session (log-off, shut-down) ends the program as its
# Exit does. Wine's end-session path sends WM_QUERYENDSESSION and
# WM_ENDSESSION, then ends whatever still runs with status 0, as Windows
# does, and the docked icon goes with the process's windows. So status and
# tray alone cannot tell Exit from that end: Wine's trace of the program's
# own calls shows whether it took its icon out (NIM_DELETE) itself, which
# Windows' shell needs to drop the icon at once.
source "$(dirname "$0")/lib.sh"
start_display
install_program
store_setting Hours 1
store_setting Minutes 15
TRACE="$E2E_DIR/systray.log"
(cd "$E2E_DIR" && WINEDEBUG=+systray exec wine "$PROGRAM" </dev/null >/dev/null 2>"$TRACE") &
PROGRAM_PID=$!
E2E_PIDS+=($PROGRAM_PID)
LAUNCHED_PIDS+=($PROGRAM_PID)
wait_for_panel 10
wait_until 10 tray_has_one_icon || fail "the icon did not dock"
config_before=$(md5sum <"$E2E_DIR/Config.ini")
# The first run's autostart entry goes: the first client of the next Wine
# server runs wineboot, which would start the program again from it, and its
# icon would dock where the ended one's left.
for root in HKCU HKLM; do
  wine reg delete "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Run" /v Clock /f </dev/null >/dev/null 2>&1 || true
done

wineboot --end-session </dev/null >/dev/null 2>&1 &
E2E_PIDS+=($!)
wait_until 10 eval '! program_running' || fail "the program still runs 10 s after the session ended"
status=0
wait "$PROGRAM_PID" || status=$?
[[ "$status" == 0 ]] || fail "the program ended with status $status"
grep -q 'Shell_NotifyIconW dwMessage = 2,' "$TRACE" ||
  fail "the program was ended without taking its icon out itself: WM_ENDSESSION did not run Exit ($TRACE)"
wait_until 5 tray_empty || fail "the icon is still in the tray (width $(tray_width))"
[[ "$(md5sum <"$E2E_DIR/Config.ini")" == "$config_before" ]] || fail "Config.ini changed at the end of the session"
[[ "$(reg_value "$SETTINGS" Hours)" == 0x1 && "$(reg_value "$SETTINGS" Minutes)" == 0xf ]] ||
  fail "the stored interval changed: $(reg_value "$SETTINGS" Hours) h $(reg_value "$SETTINGS" Minutes) min"
note "the session's end ran Exit (the program removed its icon) and the program ended with status 0; settings as stored"
