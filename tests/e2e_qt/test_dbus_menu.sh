#!/usr/bin/env bash
# Where a StatusNotifierItem host runs, the icon's menu is exported over
# DBusMenu with the Config.ini texts and access keys, and a host's click on
# Exit ends the program with status 0.
source "$(dirname "$0")/lib.sh"

prepare_home
start_virtual_display --no-tray
start_session_bus
ITEMS="$E2E_DIR/items"
$STATUS_NOTIFIER watch "$ITEMS" &
E2E_PIDS+=($!)
wait_until 5 $STATUS_NOTIFIER items || fail "the test's watcher did not start"

mkdir -p "$(dirname "$USER_CONFIG_INI")"
printf '[Skins]\r\nLanguage=TitleDE\r\n' >"$USER_CONFIG_INI"
launch
wait_for_panel 10
wait_until 5 test -s "$ITEMS" || fail "the program registered no StatusNotifierItem"
read -r service item_path <"$ITEMS"

# DBusMenu marks an access key with "_" where Config.ini has "&".
expect_menu_entries "$service" "$item_path" "_Einstellungen..." "Skins und _Updates laden..." "-" "_Beenden"
note "exported menu: ${MENU_IDS[*]} at $MENU_PATH"

$STATUS_NOTIFIER click "$service" "$MENU_PATH" "${MENU_IDS[3]}"
wait_until 5 bash -c "! kill -0 $PROGRAM_PID 2>/dev/null" || fail "Exit did not end the program"
status=0
wait "$PROGRAM_PID" || status=$?
[[ "$status" == 0 ]] || fail "the program ended with status $status"
note "a host's click on Exit ended the program with status 0"
