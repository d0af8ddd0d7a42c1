#!/usr/bin/env bash
# The worst pictures a user or another program can leave in the data: 256
# thumbnails, the skin, the logo and the sprite sheet all naming one huge
# true-colour picture with alpha, or pictures at the pixel budget (the cases
# in tests/tools/memory.sh). At start-up and with the settings dialog open the program's peak
# resident memory stays within 64 MiB of its peak with the shipped data, and
# it runs on: Cancel closes the dialog, the panel rises, Exit ends it.
source "$(dirname "$0")/lib.sh"
source "$QUORBEL_SOURCE_DIR/tests/tools/memory.sh"

prepare_home
start_display
make_pictures "$E2E_DIR/pictures"
GUARD_FLAG="$E2E_DIR/guard_stopped"

stopped_by_guard() {
  [[ -f "$GUARD_FLAG" ]] || return 0
  fail "$CASE: the program grew to $(mib "$(cat "$GUARD_FLAG")") MiB, past $MEMORY_GUARD_MIB MiB over the normal peak, and was stopped ($1)"
}

# measure CASE GUARD_KIB: a copy of the program on the case's data; sets
# STARTUP_PEAK once its panel has risen and DIALOG_PEAK with the settings
# dialog open (KiB), then closes the dialog and ends the program by Exit.
measure() {
  CASE=$1
  local copy="$E2E_DIR/$CASE"
  rm -rf "$copy" "$XDG_CONFIG_HOME/quorbel-clock"
  mkdir -p "$copy"
  cp -r "$QUORBEL_BUILD_DIR/bin/." "$copy/"
  [[ "$CASE" == shipped ]] || write_case "$copy" "$CASE"
  PROGRAM="$copy/quorbel-clock"
  launch
  guard_memory "$PROGRAM_PID" "$2" "$GUARD_FLAG"
  wait_until 20 panel_exists || { stopped_by_guard "at start-up"; fail "$CASE: no panel window within 20 s"; }
  wait_until 10 panel_at -140 || { stopped_by_guard "at start-up"; fail "$CASE: the panel did not rise"; }
  wait_until 5 tray_has_icon || fail "$CASE: no icon docked in the tray host"
  STARTUP_PEAK=$(peak_kib "$PROGRAM_PID")
  open_menu "for the settings"
  choose_menu_item 1
  wait_until 10 dialog_open || { stopped_by_guard "opening the settings dialog"; fail "$CASE: the settings dialog did not open"; }
  sleep 0.5  # the strip's first paint
  stopped_by_guard "with the settings dialog open"
  DIALOG_PEAK=$(peak_kib "$PROGRAM_PID")
  click_cancel
  wait_until 5 dialog_closed || fail "$CASE: Cancel did not close the dialog"
  wait_until 5 panel_at -140 || fail "$CASE: the panel did not rise after Cancel"
  exit_from_menu
  kill "$GUARD_PID" 2>/dev/null || true
}

measure_every_case
