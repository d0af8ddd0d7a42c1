#!/usr/bin/env bash
# The installer as people live with it: an upgrade over a running, customised
# copy closes it through its own Exit, keeps the user's chosen skin, added
# skin and added language (seen in the settings afterwards) and starts it
# again; the uninstaller removes only what was installed, so the user's own
# files, and a chosen folder's other files, stay.
#   test_upgrade.sh SETUP
SETUP=$1
source "$QUORBEL_SOURCE_DIR/tests/e2e/lib.sh"
start_display
start_clean_wine_session "$QUORBEL_BUILD_DIR/wineprefix" || fail "no clean Wine session"
wine reg delete "$SETTINGS" /f </dev/null >/dev/null 2>&1 || true
mkdir -p "$E2E_DIR"
user_dir=$(wine cmd /c 'echo %USERPROFILE%' 2>/dev/null | tr -d '\r')
programs=$(winepath -u "$user_dir\\AppData\\Local\\Programs\\Quorbel Alarm Clock" 2>/dev/null)
rm -rf "$programs"

install() {  # [/D=FOLDER]: a silent install; returns when its files are there
  rm -f "$E2E_DIR/installed"
  wine "$SETUP" /S "$@" </dev/null >/dev/null 2>&1
}
uninstall() {  # FOLDER: a silent uninstall; returns when its uninstaller is gone
  wine "$1/Uninstall.exe" /S </dev/null >/dev/null 2>&1
  wait_until 20 eval "[[ ! -e '$1/Uninstall.exe' ]]" || fail "the uninstaller did not finish in $1"
  wait_until 10 eval '[[ -z "$(own_programs)" ]]' || fail "the program still runs after the uninstall"
}

install
wait_until 20 eval "[[ -f '$programs/Uninstall.exe' ]]" || fail "the first install did not finish"

# --- The user's own choices and additions.
config="$programs/Config.ini"
mkdir -p "$programs/mine"
cp "$programs/skins/ember.png" "$programs/mine/own.png"
cp "$programs/skins/ember_thumb.bmp" "$programs/mine/own_thumb.bmp"
echo "the user's notes" >"$programs/my notes.txt"
sed -i 's/^Selected=1\r$/Selected=3\r/; s/^Count=6\r$/Count=7\r/; s/^Language=TitleEN\r$/Language=TitleNL\r/
  s/^Bitmap6=.*$/&\nSBitmap(7)=mine\\own_thumb.bmp\r\nBitmap7=mine\\own.png\r/' "$config"
printf '\r\n[TitleNL]\r\nSetTitle=Instellingen\r\nMenuSetting=&Instellingen...\r\n' >>"$config"
grep -q '^Bitmap7=mine\\own.png' "$config" || fail "the test could not add its skin to $config"

TRACE="$E2E_DIR/systray.log"
(cd "$programs" && WINEDEBUG=+systray exec wine "$programs/QuorbelClock.exe" </dev/null >/dev/null 2>"$TRACE") &
PROGRAM_PID=$!
E2E_PIDS+=($PROGRAM_PID)
wait_until 15 tray_has_one_icon || fail "the installed program's icon did not dock"

# --- The upgrade.
install
status=0
wait "$PROGRAM_PID" || status=$?
[[ "$status" == 0 ]] || fail "the running program ended with status $status"
grep -q 'Shell_NotifyIconW dwMessage = 2,' "$TRACE" || fail "the running program did not take its icon out: no Exit"
wait_until 15 eval '[[ -n "$(own_programs)" ]]' || fail "the program does not run again after the upgrade"
PROGRAM_PID=$(own_programs | head -n 1)
note "the upgrade closed the running program through its Exit (status 0, icon removed) and started it again"

value() { tr -d '\r' <"$config" | sed -n "s/^$1=//p" | head -n 1; }
[[ "$(value Selected)|$(value Language)|$(value Count)" == "3|TitleNL|7" ]] ||
  fail "after the upgrade Selected|Language|Count are $(value Selected)|$(value Language)|$(value Count)"
[[ "$(value 'SBitmap(7)')|$(value Bitmap7)" == 'mine\own_thumb.bmp|mine\own.png' ]] ||
  fail "the user's skin is not number 7 after the upgrade: $(value 'SBitmap(7)')|$(value Bitmap7)"
tr -d '\r' <"$config" | grep -qx '\[TitleNL\]' || fail "the user's language section is gone"
shipped_en=$(tr -d '\r' <"$QUORBEL_SOURCE_DIR/data/Config.ini" | sed -n '/^\[TitleEN\]/,/^$/p')
[[ "$(tr -d '\r' <"$config" | sed -n '/^\[TitleEN\]/,/^$/p')" == "$shipped_en" ]] ||
  fail "the shipped texts are not the new version's"

DIALOG=Instellingen  # the user's own language's "SetTitle"
wait_until 15 tray_has_one_icon || fail "the restarted program's icon did not dock"
open_settings
click_control "$DIALOG" $CANCEL_ID
wait_for_no_dialog "$DIALOG" 5 || fail "Cancel did not close the settings"
[[ "$(value Selected)" == 3 ]] || fail "Cancel in the settings changed Selected to $(value Selected)"
note "Config.ini kept Selected=3, the user's skin as 7 and the user's language, whose title the settings show"

# --- Uninstall: only what was installed goes.
uninstall "$programs"
for file in "my notes.txt" mine/own.png mine/own_thumb.bmp; do
  [[ -f "$programs/$file" ]] || fail "the uninstaller deleted the user's $file"
done
for file in QuorbelClock.exe QuorbelPreview.exe Config.ini logo.png skins/aurora.png; do
  [[ ! -e "$programs/$file" ]] || fail "the uninstaller left the installed $file"
done
[[ ! -e "$programs/skins" ]] || fail "the uninstaller left the emptied skins folder"
note "the uninstaller removed the installed files and left the user's: $(cd "$programs" && find . -type f | sort | tr '\n' ' ')"

# --- A chosen folder that holds other files.
chosen_windows="$user_dir\\Documents\\Tools"
chosen=$(winepath -u "$chosen_windows" 2>/dev/null)
rm -rf "$chosen"
mkdir -p "$chosen/skins"
echo other >"$chosen/other.txt"
echo other >"$chosen/skins/other.png"
install "/D=$chosen_windows"
wait_until 20 eval "[[ -f '$chosen/Uninstall.exe' ]]" || fail "the install into $chosen_windows did not finish"
[[ -f "$chosen/QuorbelClock.exe" ]] || fail "nothing was installed into $chosen_windows"
uninstall "$chosen"
[[ -f "$chosen/other.txt" && -f "$chosen/skins/other.png" ]] || fail "the uninstaller deleted the folder's other files"
[[ ! -e "$chosen/QuorbelClock.exe" && ! -e "$chosen/skins/aurora.png" ]] || fail "the uninstaller left installed files in $chosen"
rm -rf "$chosen" "$programs"
note "an install into a folder with other files and its uninstall left those files"
