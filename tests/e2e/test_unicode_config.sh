#!/usr/bin/env bash
# A Config.ini saved as "Unicode" (UTF-16 with its byte-order mark), as
# Notepad saves it: Ok with the third skin stores it so that the platform's
# reader reads it, and the file stays UTF-16 with only that value changed.
source "$(dirname "$0")/lib.sh"
start_display
install_program

utf16() { { printf '\xff\xfe'; iconv -f CP1252 -t UTF-16LE; }; }
utf16 <"$QUORBEL_SOURCE_DIR/data/Config.ini" >"$E2E_DIR/Config.ini"
cp "$E2E_DIR/Config.ini" "$E2E_DIR/Config.ini.before"

launch
wait_for_panel 10
wait_for_panel_top -140 5 || fail "the panel did not rise after start-up"
open_settings
click_thumbnail 2
sleep 0.3
click_control "$DIALOG" $OK_ID
closed_and_risen Ok

[[ "$(head -c 2 "$E2E_DIR/Config.ini" | od -An -tx1 | tr -d ' ')" == fffe ]] ||
  fail "Config.ini lost its UTF-16 byte-order mark"
tail -c +3 "$E2E_DIR/Config.ini" | iconv -f UTF-16LE -t CP1252 >"$E2E_DIR/Config.ini.text" ||
  fail "Config.ini is no longer valid UTF-16"
expected=$(tail -c +3 "$E2E_DIR/Config.ini.before" | iconv -f UTF-16LE -t CP1252 |
  sed 's/^Selected=1\r$/Selected=3\r/' | utf16 | od -An -tx1)
[[ "$(od -An -tx1 <"$E2E_DIR/Config.ini")" == "$expected" ]] ||
  fail "Ok changed more of Config.ini than Selected: $(diff <(tr -d '\r' <"$E2E_DIR/Config.ini.text") <(tr -d '\r' <"$QUORBEL_SOURCE_DIR/data/Config.ini") | head -5)"
note "Config.ini is still UTF-16, with only Selected=3 changed"

# The preview tool reads the selected skin through the platform's reader.
(cd "$E2E_DIR" && wine ./QuorbelPreview.exe --out selected.png </dev/null >/dev/null 2>&1 &&
  wine ./QuorbelPreview.exe --skin 3 --out third.png </dev/null >/dev/null 2>&1 &&
  wine ./QuorbelPreview.exe --skin 1 --out first.png </dev/null >/dev/null 2>&1) ||
  fail "the preview tool failed"
cmp -s "$E2E_DIR/third.png" "$E2E_DIR/first.png" && fail "the first and third skins draw alike"
cmp -s "$E2E_DIR/selected.png" "$E2E_DIR/third.png" ||
  fail "the platform's reader does not read the third skin as selected"
note "the platform's reader reads Selected=3"
