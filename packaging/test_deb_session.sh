#!/usr/bin/env bash
# The installed program on a desktop with a tray host: started by the command
# its menu entry names, it shows the panel and raises it, docks its icon and
# registers the installed path for the session's start; the panel the
# settings bring down is the one the installed preview tool draws from the
# installed data; Exit in the tray menu ends it.
source "$QUORBEL_SOURCE_DIR/tests/e2e_qt/lib.sh"
PROGRAM=/usr/bin/quorbel-clock
INSTALLED_PREVIEW=/usr/bin/quorbel-preview

prepare_home
start_display
[[ "$(command -v quorbel-clock)" == "$PROGRAM" ]] || fail "the menu entry's command is not $PROGRAM"
launch
wait_for_panel 10
wait_until 5 panel_at -140 || fail "the panel did not rise (top $(panel_top))"
wait_until 5 tray_has_icon || fail "no icon docked in the tray host"
exec_line=$(grep '^Exec=' "$AUTOSTART_FILE" 2>/dev/null || true)
[[ "$exec_line" == "Exec=$PROGRAM" ]] || fail "the autostart entry starts '$exec_line', not $PROGRAM"

# The build tree's tool renders from the data beside it, so both drawings are
# the same only when the installed one found the installed data.
"$INSTALLED_PREVIEW" --skin 2 --level 3 --minutes 75 --out "$E2E_DIR/installed.png" ||
  fail "the installed preview tool failed"
"$QUORBEL_BUILD_DIR/bin/quorbel-preview" --skin 2 --level 3 --minutes 75 --out "$E2E_DIR/built.png" ||
  fail "the built preview tool failed"
apart=$(compare-im6.q16 -metric AE "$E2E_DIR/installed.png" "$E2E_DIR/built.png" null: 2>&1 || true)
[[ "$apart" == 0 ]] || fail "the installed preview tool draws another panel ($apart pixels apart)"

# A first run reminds after an hour: at 0 use minutes the settings show the
# panel at level 1.
open_settings
sleep 0.5
screenshot "$E2E_DIR/settings.png"
differing=$(panel_differs_from_preview "$E2E_DIR/settings.png" 1 1 0)
((differing < 2000)) || fail "the panel is not the first skin's ($differing pixels differ; $E2E_DIR/settings.png)"
click_cancel
wait_until 5 dialog_closed || fail "Cancel did not close the dialog"
wait_until 5 panel_at -140 || fail "the panel did not rise after Cancel"

exit_from_menu
icon_gone() { ! tray_has_icon; }
wait_until 3 icon_gone || fail "the icon stayed in the tray after Exit"
note "the installed program showed and raised its panel, docked its icon, drew the installed skin ($differing pixels from the preview) and ended on Exit"
