#!/usr/bin/env bash
# Setting in the tray menu brings the panel down and opens the dialog; Ok
# with another interval and the third skin stores them (settings.reg and the
# user's own Config.ini, which holds nothing else, the shipped one untouched)
# and the panel shows that skin from then on. Cancel stores nothing.
source "$(dirname "$0")/lib.sh"

prepare_home
start_display
start_risen
shipped=$(md5sum <"$QUORBEL_BUILD_DIR/bin/Config.ini")

open_settings
set_interval 0 7
click_thumbnail 2
sleep 0.3
click_ok
wait_until 5 dialog_closed || fail "Ok did not close the dialog"
wait_until 5 panel_at -140 || fail "the panel did not rise after Ok (top $(panel_top))"
[[ "$(setting Hours)" == dword:00000000 ]] || fail "Hours is $(setting Hours) after Ok"
[[ "$(setting Minutes)" == dword:00000007 ]] || fail "Minutes is $(setting Minutes) after Ok"
[[ "$(user_selected)" == 3 ]] || fail "the user's Config.ini has Selected=$(user_selected), not 3"
entries=$(grep -c '^[^;]*=' "$USER_CONFIG_INI")
((entries == 1)) || fail "the user's Config.ini holds $entries entries, not only Selected"
[[ "$(md5sum <"$QUORBEL_BUILD_DIR/bin/Config.ini")" == "$shipped" ]] || fail "Ok changed the shipped Config.ini"

# The next opening shows the stored values, and the panel that skin.
open_settings
sleep 0.5
screenshot "$E2E_DIR/skin3.png"
differing=$(panel_differs_from_preview "$E2E_DIR/skin3.png" 3 1 0)
((differing < 2000)) || fail "the panel does not show the third skin ($differing pixels differ; $E2E_DIR/skin3.png)"
set_interval 1 9
click_cancel
wait_until 5 dialog_closed || fail "Cancel did not close the dialog"
wait_until 5 panel_at -140 || fail "the panel did not rise after Cancel"
[[ "$(setting Minutes)" == dword:00000007 ]] || fail "Cancel stored Minutes $(setting Minutes)"
note "Ok stored 0 h 7 min and skin 3, the panel shows it ($differing pixels apart from the preview); Cancel stored nothing"
