#!/usr/bin/env bash
# On GNOME Shell with the AppIndicator extension the top bar draws the
# icon's exported menu; Setting opens the dialog over the shown panel, the
# icon comes back when the shell restarts, Exit ends the program and takes
# the icon away.
source "$(dirname "$0")/desktop_lib.sh"

BAR=300x32+980+0
MENU=290x140+985+35
SHOT=500x200+780+0
# The shell starts in the overview; Escape leaves it.
start_shell() {
  run_shell shell gnome-shell --x11 --replace --sm-disable
  wait_until 30 watcher_up || fail "the shell's AppIndicator extension did not start (log: $E2E_DIR/shell.log)"
  sleep 3
  xdotool key Escape
  sleep 1
}

prepare_home
start_compositing_display
start_system_bus
start_session_bus
export XDG_CURRENT_DESKTOP=GNOME
gsettings set org.gnome.shell enabled-extensions "['ubuntu-appindicators@ubuntu.com']"
start_shell
prove_menu_on_shell gnome
