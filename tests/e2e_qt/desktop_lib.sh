# Shared steps of the tests on a real desktop shell: the shell on a virtual
# display of its own with its own session bus, the icon in the shell's tray
# and the menu as the shell draws it, found by what changes on the screen.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# start_compositing_display: Xvfb with what a compositing shell needs; no
# reset when the last client leaves, as start_virtual_display.
start_compositing_display() {
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x800x24 +extension GLX +extension Composite -nolisten tcp -noreset \
    3>"$number_file" >/dev/null 2>&1 &
  VIRTUAL_DISPLAY_PIDS+=($!)
  for _ in $(seq 100); do [[ -s "$number_file" ]] && break; sleep 0.05; done
  export DISPLAY=":$(head -n 1 "$number_file")"
  rm -f "$number_file"
  xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"
}

# start_system_bus: a stand-in system bus; the shells look for the login
# manager on it and end without one.
start_system_bus() {
  dbus-daemon --session --nofork --address="unix:path=$E2E_DIR/system_bus" >/dev/null 2>&1 &
  VIRTUAL_DISPLAY_PIDS+=($!)
  export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$E2E_DIR/system_bus"
  wait_until 5 test -S "$E2E_DIR/system_bus" || fail "the stand-in system bus did not start"
}

# run_shell NAME COMMAND...: starts a shell component in the background;
# its process in SHELL_PID, its output in NAME.log.
run_shell() {
  local name=$1
  shift
  "$@" >>"$E2E_DIR/$name.log" 2>&1 &
  SHELL_PID=$!
  E2E_PIDS+=($SHELL_PID)
}

stop_shell() {
  kill "$SHELL_PID" 2>/dev/null || true
  wait "$SHELL_PID" 2>/dev/null || true
}

watcher_up() { $STATUS_NOTIFIER items >/dev/null 2>&1; }
# name_owned NAME: a process owns NAME on the session bus.
name_owned() {
  gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.NameHasOwner "$1" 2>/dev/null | grep -q true
}
item_listed() { [[ -n "$($STATUS_NOTIFIER items 2>/dev/null)" ]]; }
item_unlisted() { watcher_up && ! item_listed; }

# The one item the shell lists: "SERVICE PATH".
item_address() { $STATUS_NOTIFIER items | head -n 1; }

# region_changed BEFORE AFTER GEOMETRY: more than a few pixels of the
# region (WxH+X+Y) differ between two screenshots.
region_changed() {
  local differing
  differing=$(compare-im6.q16 -metric AE -fuzz 5% "$1[$3]" "$2[$3]" null: 2>&1 || true)
  ((${differing%% *} > 40))
}

# wait_for_change SHOT GEOMETRY SECONDS: until the screen's region differs
# from the one in SHOT; the screen is left in $E2E_DIR/now.png.
wait_for_change() {
  local shot=$1 geometry=$2
  wait_until "$3" bash -c "import -window root '$E2E_DIR/now.png' &&
    $(declare -f region_changed); region_changed '$shot' '$E2E_DIR/now.png' '$geometry'"
}

# keep_shot NAME GEOMETRY: the region of the current screen, kept under the
# test's directory for a person to look at.
keep_shot() {
  screenshot "$E2E_DIR/screen.png"
  convert-im6.q16 "$E2E_DIR/screen.png" -crop "$2" +repage "$E2E_DIR/$1.png"
}

# expect_exit_status_0: the program ends within 5 s with status 0.
expect_exit_status_0() {
  wait_until 5 bash -c "! kill -0 $PROGRAM_PID 2>/dev/null" || fail "Exit did not end the program"
  local status=0
  wait "$PROGRAM_PID" || status=$?
  [[ "$status" == 0 ]] || fail "the program ended with status $status"
}

# expect_shipped_menu_exported: the shell reads the shipped texts, "&" as "_".
expect_shipped_menu_exported() {
  local address
  address=$(item_address)
  expect_menu_entries $address "_Settings..." "_Download skins and updates..." "-" "E_xit"
}

# expect_settings_over_panel: the dialog is open and the panel shown.
expect_settings_over_panel() {
  if ! wait_until 4 dialog_open; then
    screenshot "$E2E_DIR/no_dialog.png"
    fail "the settings dialog did not open from the shell's menu (screen: $E2E_DIR/no_dialog.png)"
  fi
  wait_until 2 panel_at 0 || fail "the panel is not shown while the dialog is open (top $(panel_top))"
}

# The test defines start_shell (starts the shell, returns once it is drawn)
# and sets BAR (the part of the shell's bar where the icon comes, without a
# clock), MENU (where the menu opens) and SHOT (the region kept as
# NAME_menu.png).
icon_shown() { wait_for_change "$E2E_DIR/no_icon.png" "$BAR" 5 && locate_icon; }
icon_gone() {
  wait_until 3 bash -c "import -window root '$E2E_DIR/now.png' && $(declare -f region_changed);
    ! region_changed '$E2E_DIR/no_icon.png' '$E2E_DIR/now.png' $BAR"
}

# locate_icon: ICON, the middle of the icon, from where the bar changed when
# it came: the icon is the leftmost change (a tray may move others right of
# it), about 16 pixels square.
locate_icon() {
  local box x y bar_x bar_y
  box=$(convert-im6.q16 "$E2E_DIR/no_icon.png" "$E2E_DIR/now.png" -crop "$BAR" +repage \
    -compose difference -composite -colorspace gray -threshold 8% -format '%@' info:)
  IFS=x+ read -r _ _ x y <<<"$box"
  IFS=x+ read -r _ _ bar_x bar_y <<<"$BAR"
  ICON="$((bar_x + x + 8)) $((bar_y + y + 8))"
}

right_click_icon() { xdotool mousemove 640 400 sleep 0.1 mousemove $ICON sleep 0.1 click 3; }
open_shell_menu() {
  screenshot "$E2E_DIR/closed.png"
  right_click_icon
  wait_for_change "$E2E_DIR/closed.png" "$MENU" 3 || fail "a right click on the icon opened no menu"
  menu_closed || fail "the program popped up a menu of its own instead of the shell drawing it"
  sleep 0.5  # the shell may fade the menu in
}

# prove_menu_on_shell NAME: the icon shows, the shell draws the exported
# menu, Setting opens the dialog over the shown panel, the icon comes back
# when the shell restarts, Exit ends the program with status 0 and the icon
# goes away. Menu entries are chosen with the keys, which skip separators.
prove_menu_on_shell() {
  screenshot "$E2E_DIR/no_icon.png"
  launch
  wait_for_panel 10
  wait_until 10 item_listed || fail "the program registered no item with the shell"
  icon_shown || fail "the shell shows no icon"
  expect_shipped_menu_exported
  open_shell_menu
  keep_shot "$1_menu" "$SHOT"
  xdotool key Down Return
  expect_settings_over_panel
  click_cancel
  wait_until 3 dialog_closed || fail "Cancel did not close the dialog"
  note "$1: the shell's menu (icon at $ICON) opened the dialog over the shown panel"

  stop_shell
  start_shell
  wait_until 10 item_listed || fail "the icon did not come back when the shell restarted"
  icon_shown || fail "the restarted shell shows no icon"
  open_shell_menu
  xdotool key Down Down Down Return
  expect_exit_status_0
  wait_until 3 item_unlisted || fail "the item stayed registered after Exit"
  icon_gone || fail "the icon stayed after Exit"
  note "$1: the icon came back after a shell restart; Exit ended the program with status 0, the icon went away"
}
