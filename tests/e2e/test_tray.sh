#!/usr/bin/env bash
# The notification-area icon and its menu as a user meets them: the icon
# docks; a right click opens the menu in the language of Config.ini (or in
# English without it); Setting brings the panel down and holds it while the
# settings dialog is open; a click elsewhere closes the menu; the icon comes
# back when a restarted shell asks for it;
# Exit takes the icon away and ends the program within a second.
source "$(dirname "$0")/lib.sh"
start_display
install_program

CONFIG="$E2E_DIR/Config.ini"
SHIPPED_CONFIG="$QUORBEL_BUILD_DIR/bin/Config.ini"

panel_hidden() { [[ "$(panel_field top)" == -140 ]]; }
panel_shown() { [[ "$(panel_field top)" == 0 ]]; }
program_ended() { ! program_running && tray_empty; }
dialogs_shown() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }
settings_dialog_open() { (($(dialogs_shown Setting) >= 1)); }
# The open menu's place as WxH+X+Y, for cropping a screenshot to it.
menu_geometry() {
  probe menu | awk '{for (i = 1; i <= NF; i++) {split($i, a, "="); v[a[1]] = a[2]}
    printf "%sx%s+%s+%s\n", v["width"], v["height"], v["left"], v["top"]}'
}
# snap_menu FILE: the open menu, once two looks in a row agree (a menu is
# visible a moment before it is fully painted).
snap_menu() {
  local geometry previous="$E2E_DIR/previous.png"
  geometry=$(menu_geometry)
  rm -f "$previous"
  for _ in $(seq 20); do
    screenshot "$E2E_DIR/screen.png"
    convert-im6.q16 "$E2E_DIR/screen.png" -crop "$geometry" +repage "$1"
    [[ -f "$previous" && "$(compare -metric AE "$1" "$previous" null: 2>&1)" == 0 ]] && return 0
    cp "$1" "$previous"
    sleep 0.1
  done
  fail "the menu at $geometry never came to rest"
}

start_program() {
  launch
  wait_until 20 tray_has_one_icon || fail "the icon did not dock into the tray"
  wait_for_panel 10
  wait_until 5 panel_hidden || fail "the panel did not rise out of view after start-up"
}

close_menu() {  # WHY
  xdotool key Escape
  wait_until 3 menu_closed || fail "Escape did not close the menu ($1)"
}

# expect_menu NAME ITEM...: the program's menu, opened from the icon, looks
# exactly like a menu of these items ("-" a separator) drawn by the probe at
# the same place: same texts, same access-key marks, same order. Wine keeps a
# menu's items inside its process, so the pixels are what can be compared.
expect_menu() {
  local name=$1
  shift
  open_menu "$name"
  snap_menu "$E2E_DIR/menu_$name.png"
  close_menu "$name"
  probe show-menu "$@" &
  local reference_pid=$!
  E2E_PIDS+=($reference_pid)
  wait_until 5 menu_open || fail "the probe could not show its reference menu"
  snap_menu "$E2E_DIR/reference_$name.png"
  close_menu "the probe's reference"
  wait "$reference_pid"
  local differing
  differing=$(compare -metric AE "$E2E_DIR/menu_$name.png" "$E2E_DIR/reference_$name.png" null: 2>&1) || true
  [[ "$differing" == 0 ]] ||
    fail "the $name menu does not read $* ($differing pixels differ; see $E2E_DIR/menu_$name.png)"
  note "$name menu reads: $*"
}

# choose_and_expect_exit "KEY..." MS WHY: picks Exit from the menu with these
# keys and expects the icon gone and the process ended within MS.
choose_and_expect_exit() {
  local started elapsed
  open_menu "$3"
  started=$(date +%s%N)
  # shellcheck disable=SC2086
  xdotool key $1
  wait_until 5 program_ended || fail "Exit left the program running or its icon in the tray ($3)"
  elapsed=$((($(date +%s%N) - started) / 1000000))
  ((elapsed <= $2)) || fail "the program took $elapsed ms to end after Exit ($3)"
  wait "$PROGRAM_PID" 2>/dev/null || true
  note "Exit ($3): icon gone and program ended in $elapsed ms"
}

# --- Without Config.ini: the English defaults; Setting; Exit over the dialog.
rm -f "$CONFIG"
start_program
note "icon docked; tray is $(tray_width) px wide"
expect_menu default "Setting" "Upgrade & Download Skin" "-" "Exit"

# No default text marks an access key, so the arrow keys pick the items.
open_menu "for Setting"
xdotool key Down Return
wait_until 2 panel_shown || fail "Setting did not bring the panel to the top of the screen"
wait_until 5 settings_dialog_open || fail "Setting opened no settings dialog"
# Held: no slide may move it while the dialog is open.
tops=$(probe watch 3000 | awk '{print $2}' | sort -u | tr '\n' ' ')
[[ "$tops" == "0 " ]] || fail "the panel moved while the settings dialog was open (tops: $tops)"
note "Setting: panel held at the top for 3 s, dialog open"

open_menu "for Setting again"
xdotool key Down Return
sleep 0.5
[[ $(dialogs_shown Setting) == 1 ]] || fail "Setting twice shows $(dialogs_shown Setting) dialogs"
panel_shown || fail "the panel left the top after Setting was chosen again"
note "Setting again: still one dialog, panel still at the top"

# Without a window manager Wine waits up to 2 s, each time it unmaps a window
# that had the focus (here the dialog), for a manager that never answers; so
# Exit over the open dialog is allowed that much longer than the plain Exits
# below, which must take less than a second.
choose_and_expect_exit "Up Return" 5000 "defaults, dialog open"
[[ $(dialogs_shown Setting) == 0 ]] || fail "the settings dialog outlived the program"

# --- The shipped Config.ini: its English texts; the shell restarts.
cp "$SHIPPED_CONFIG" "$CONFIG"
start_program
expect_menu shipped "&Settings..." "&Download skins and updates..." "-" "E&xit"

open_menu "to click elsewhere"
xdotool mousemove 640 600 click 1
wait_until 3 menu_closed || fail "a click elsewhere did not close the menu"
program_running || fail "the program ended after a click elsewhere"
note "a click elsewhere closes the menu"

# A restarted shell has lost every icon and says so with "TaskbarCreated".
icon_before=$(tray_icon_window)
probe forget-icon || fail "the probe could not take the icon away"
wait_until 3 tray_empty || fail "the icon stayed in the tray after it was taken away"
probe taskbar-created
wait_until 5 tray_has_one_icon || fail "the icon did not come back (once) after \"TaskbarCreated\""
[[ "$(tray_icon_window)" != "$icon_before" ]] || fail "the icon came back in its old window"
note "a lost icon comes back after \"TaskbarCreated\""
choose_and_expect_exit x 1000 "from the re-added icon"

# --- Language=TitleDE: the German texts.
sed 's/^Language=.*/Language=TitleDE/' "$SHIPPED_CONFIG" >"$CONFIG"
start_program
expect_menu german "&Einstellungen..." "Skins und &Updates laden..." "-" "&Beenden"
choose_and_expect_exit b 1000 "German"
