#!/usr/bin/env bash
# Exit in the tray menu ends the program and takes the icon away; a later
# start is a first instance again.
source "$(dirname "$0")/lib.sh"

prepare_home
start_display
start_risen

exit_from_menu
wait_until 3 bash -c "! (( \$(xwininfo -id $(tray_panel_id) | awk '/Width:/ {print \$2}') > 2 ))" ||
  fail "the icon stayed in the tray after Exit"

launch
wait_for_panel 10
program_running || fail "a start after Exit did not run as the first instance"
note "Exit ended the program with status 0 and removed the icon"
