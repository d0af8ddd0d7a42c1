#!/usr/bin/env bash
# The worst pictures a user or another program can leave in the data: 256
# thumbnails, the skin, the logo and the sprite sheet all naming one huge
# true-colour picture with alpha, or pictures at the pixel budget (the cases
# in tests/tools/memory.sh). At start-up and with the settings dialog open the
# program's peak memory stays within 64 MiB of its peak with the shipped
# data, and it runs on: Cancel closes the dialog, the panel rises, it answers
# messages and Exit ends it. The peak is the kernel's VmHWM of the process
# that runs QuorbelClock.exe under Wine (what Wine reports as the process's
# PeakWorkingSetSize).
source "$(dirname "$0")/lib.sh"
source "$QUORBEL_SOURCE_DIR/tests/tools/memory.sh"
start_display
install_program

SHIPPED="$E2E_DIR/shipped"
mkdir -p "$SHIPPED"
cp "$E2E_DIR"/{Config.ini,icons.png,logo.png} "$SHIPPED/"
make_pictures "$E2E_DIR/pictures"
GUARD_FLAG="$E2E_DIR/guard_stopped"

stopped_by_guard() {
  [[ -f "$GUARD_FLAG" ]] || return 0
  fail "$CASE: the program grew to $(mib "$(cat "$GUARD_FLAG")") MiB, past $MEMORY_GUARD_MIB MiB over the normal peak, and was stopped ($1)"
}

panel_shown() { probe panel >/dev/null; }
no_program() { [[ $(program_count) -eq 0 ]]; }

# measure CASE GUARD_KIB: the program on the case's data; sets STARTUP_PEAK
# once its panel has risen and DIALOG_PEAK with the settings dialog open
# (KiB), then closes the dialog and ends the program by Exit.
measure() {
  CASE=$1
  cp "$SHIPPED"/* "$E2E_DIR/"
  [[ "$CASE" == shipped ]] || write_case "$E2E_DIR" "$CASE"
  launch
  guard_memory "$PROGRAM_PID" "$2" "$GUARD_FLAG"
  wait_until 20 panel_shown || { stopped_by_guard "at start-up"; fail "$CASE: no panel window within 20 s"; }
  expect_own_instance
  wait_for_panel_top -140 10 || { stopped_by_guard "at start-up"; fail "$CASE: the panel did not rise"; }
  wait_until 5 tray_has_one_icon || fail "$CASE: no icon in the tray"
  STARTUP_PEAK=$(peak_kib "$PROGRAM_PID")
  open_menu "for the settings"
  xdotool key Down Return
  wait_for_dialog "$DIALOG" 10 || { stopped_by_guard "opening the settings dialog"; fail "$CASE: the settings dialog did not open"; }
  sleep 0.5  # the strip's first paint
  stopped_by_guard "with the settings dialog open"
  DIALOG_PEAK=$(peak_kib "$PROGRAM_PID")
  click_control "$DIALOG" $CANCEL_ID
  closed_and_risen Cancel
  probe responds 2000 || fail "$CASE: the program does not answer"
  open_menu "to exit"
  xdotool key Up Return
  wait_until 10 no_program || fail "$CASE: Exit did not end the program"
  kill "$GUARD_PID" 2>/dev/null || true
}

measure_every_case
