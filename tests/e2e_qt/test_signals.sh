#!/usr/bin/env bash
# SIGTERM and SIGINT end the program as the tray menu's Exit does: status 0,
# the icon gone from the tray, the settings file as it was, an open settings
# dialog closed without storing what was typed into it.
source "$(dirname "$0")/lib.sh"

prepare_home
start_display
store_interval 1 30

icon_gone() { ! tray_has_icon; }

# end_with SIGNAL: sends it to the running program; fails unless the
# program ends with status 0 and its icon leaves the tray.
end_with() {
  kill -s "$1" "$PROGRAM_PID"
  wait_until 5 bash -c "! kill -0 $PROGRAM_PID 2>/dev/null" || fail "SIG$1 did not end the program"
  local status=0
  wait "$PROGRAM_PID" || status=$?
  [[ "$status" == 0 ]] || fail "SIG$1 ended the program with status $status"
  wait_until 3 icon_gone || fail "the icon stayed in the tray after SIG$1"
}

stored=$(md5sum <"$SETTINGS_FILE")
start_risen
end_with TERM
[[ "$(md5sum <"$SETTINGS_FILE")" == "$stored" ]] || fail "SIGTERM changed the settings file"

start_risen
open_settings
set_interval 0 7
end_with INT
[[ "$(setting Minutes)" == dword:0000001e ]] || fail "SIGINT with the dialog open stored Minutes $(setting Minutes)"
note "SIGTERM and SIGINT (the dialog open) ended the program with status 0, the icon gone, the settings kept"
