#!/usr/bin/env bash
# On XFCE's panel the status tray draws the icon's exported menu; Setting
# opens the dialog over the shown panel, the icon comes back when the panel
# restarts, Exit ends the program and takes the icon away. Without a watcher
# on its bus the program docks as an XEmbed icon there and pops up its own
# menu.
source "$(dirname "$0")/desktop_lib.sh"

BAR=400x28+880+0
MENU=260x90+1020+28
SHOT=400x120+880+0
start_shell() {
  run_shell panel xfce4-panel --disable-wm-check
  wait_until 15 watcher_up || fail "the panel's status tray did not start (log: $E2E_DIR/panel.log)"
  sleep 1
}

prepare_home
start_virtual_display --no-tray
start_session_bus
mkdir -p "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
cp "$QUORBEL_SOURCE_DIR/tests/e2e_qt/xfce4-panel.xml" "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml/"
start_shell
prove_menu_on_shell xfce

start_session_bus  # the program's own, with no watcher: an XEmbed icon
launch
wait_for_panel 10
icon_shown || fail "no XEmbed icon docked in the panel"
right_click_icon
wait_until 3 menu_open || fail "a right click on the XEmbed icon opened no menu"
keep_shot xfce_xembed_menu "$SHOT"
choose_menu_item 3
expect_exit_status_0
icon_gone || fail "the XEmbed icon stayed after Exit"
note "XEmbed: the program's own menu opened, its Exit ended the program and the icon went away"
