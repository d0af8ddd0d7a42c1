#!/usr/bin/env bash
# On XFCE's panel the status tray draws the icon's exported menu; Setting
# opens the dialog over the shown panel, the icon comes back when the panel
# restarts, Exit ends the program and takes the icon away. Without a watcher
# on its bus the program docks as an XEmbed icon there and pops up its own
# menu.
source "$(dirname "$0")/desktop_lib.sh"

TRAY=40x28+1240+0
MENU=260x90+1020+28
start_panel() {
  run_shell panel xfce4-panel --disable-wm-check
  wait_until 15 watcher_up || fail "the panel's status tray did not start (log: $E2E_DIR/panel.log)"
}
right_click_icon() { xdotool mousemove 640 400 sleep 0.1 mousemove 1266 14 sleep 0.1 click 3; }
open_shell_menu() {
  screenshot "$E2E_DIR/closed.png"
  right_click_icon
  wait_for_change "$E2E_DIR/closed.png" "$MENU" 3 || fail "a right click on the icon opened no menu"
}

prepare_home
start_virtual_display --no-tray
start_session_bus
mkdir -p "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
cp "$QUORBEL_SOURCE_DIR/tests/e2e_qt/xfce4-panel.xml" "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml/"
start_panel
sleep 1
screenshot "$E2E_DIR/no_icon.png"

launch
wait_for_panel 10
wait_until 10 item_listed || fail "the program registered no item with the panel's status tray"
wait_for_change "$E2E_DIR/no_icon.png" "$TRAY" 5 || fail "the panel shows no icon"
expect_shipped_menu_exported
open_shell_menu
keep_shot xfce_menu 400x120+880+0
xdotool key Down Return
expect_settings_over_panel
click_cancel
wait_until 3 dialog_closed || fail "Cancel did not close the dialog"
note "the panel's menu opened the dialog over the shown panel"

stop_shell
start_panel
wait_until 10 item_listed || fail "the icon did not come back when the panel restarted"
wait_for_change "$E2E_DIR/no_icon.png" "$TRAY" 5 || fail "the restarted panel shows no icon"
open_shell_menu
xdotool key Down Down Down Return
expect_exit_status_0
wait_until 3 item_unlisted || fail "the item stayed registered after Exit"
wait_until 3 bash -c "import -window root '$E2E_DIR/now.png' && $(declare -f region_changed);
  ! region_changed '$E2E_DIR/no_icon.png' '$E2E_DIR/now.png' $TRAY" || fail "the icon stayed after Exit"
note "StatusNotifierItem: the menu, Setting, a panel restart and Exit work"

start_session_bus  # the program's own, with no watcher: an XEmbed icon
launch
wait_for_panel 10
wait_for_change "$E2E_DIR/no_icon.png" "$TRAY" 5 || fail "no XEmbed icon docked in the panel"
right_click_icon
wait_until 3 menu_open || fail "a right click on the XEmbed icon opened no menu"
keep_shot xfce_xembed_menu 400x120+880+0
choose_menu_item 3
expect_exit_status_0
note "XEmbed: the program's own menu opened and its Exit ended the program"
