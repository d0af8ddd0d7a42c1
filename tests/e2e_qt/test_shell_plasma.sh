#!/usr/bin/env bash
# On KDE Plasma the system tray draws the icon's exported menu; Setting
# opens the dialog over the shown panel, the icon comes back when
# plasmashell restarts, Exit ends the program and takes the icon away.
source "$(dirname "$0")/desktop_lib.sh"

BAR=280x40+850+760  # ends 10 px before the clock, whose date widens on days 10 to 31
MENU=260x95+1020+668
SHOT=500x140+780+660
# kded's module is the watcher; plasmashell's tray is a host of its own name.
start_shell() {
  run_shell plasma plasmashell
  wait_until 60 name_owned "org.kde.StatusNotifierHost-$SHELL_PID" ||
    fail "plasmashell's tray did not start (log: $E2E_DIR/plasma.log)"
  sleep 3  # the panel is drawn after the tray registers
}

prepare_home
start_compositing_display
start_system_bus
start_session_bus
export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5
run_shell kwin kwin_x11
run_shell kded kded5
wait_until 30 watcher_up || fail "kded's StatusNotifierWatcher did not start (log: $E2E_DIR/kded.log)"
start_shell
prove_menu_on_shell plasma
