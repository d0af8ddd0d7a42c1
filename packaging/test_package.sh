#!/usr/bin/env bash
# Checks the Windows package as a user receives it: the zip holds the program,
# the preview tool and every data file; the executable carries its icon,
# version and manifest and needs nothing but the platform; the installer installs without
# administrator rights into the user's programs folder with a Start-menu
# shortcut; the installed program registers autostart for this user only, and
# the uninstaller removes the program and its own autostart entry, never
# another program's "Clock".
set -euo pipefail
ZIP=$1
SETUP=$2
source "$QUORBEL_SOURCE_DIR/scripts/lib/wine.sh"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

listing=$(unzip -Z1 "$ZIP")
for file in QuorbelClock.exe QuorbelPreview.exe Config.ini icons.png logo.png load.wav start.wav; do
  grep -qx "$file" <<<"$listing" || fail "the zip lacks $file"
done
while read -r skin; do
  grep -qx "${skin//\\//}" <<<"$listing" || fail "the zip lacks $skin, named by Config.ini"
done < <(tr -d '\r' <"$QUORBEL_SOURCE_DIR/data/Config.ini" | sed -n 's/^S\{0,1\}Bitmap([0-9]*)=//p; s/^Bitmap[0-9]*=//p')
echo "-- the zip holds $(wc -l <<<"$listing") files, every one Config.ini names among them"

work=$(mktemp -d)
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
unzip -q "$ZIP" QuorbelClock.exe -d "$work"
resources=$(x86_64-w64-mingw32-objdump -x "$work/QuorbelClock.exe" | sed -n '/The .rsrc Resource Directory/,/^$/p')
grep -q 'Entry: ID: 0x000010' <<<"$resources" || fail "QuorbelClock.exe has no version resource"
grep -q 'Entry: ID: 0x00000e' <<<"$resources" || fail "QuorbelClock.exe has no icon"
grep -q 'Entry: ID: 0x000018' <<<"$resources" || fail "QuorbelClock.exe has no application manifest"
manifest=$(x86_64-w64-mingw32-strings "$work/QuorbelClock.exe")
for asked in 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' 'level="asInvoker"' \
             'supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"'; do
  grep -qF "$asked" <<<"$manifest" || fail "the manifest of QuorbelClock.exe lacks $asked"
done
# Each monitor's DPI: the panel, the dialog and the icon are drawn for it.
grep -qF 'PerMonitorV2' <<<"$manifest" || fail "the manifest of QuorbelClock.exe declares no per-monitor DPI awareness"
imports=$(x86_64-w64-mingw32-objdump -p "$work/QuorbelClock.exe" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
for dll in $imports; do
  case "$dll" in
    advapi32.dll | comdlg32.dll | gdi32.dll | gdiplus.dll | kernel32.dll | msvcrt.dll | ole32.dll | oleacc.dll | oleaut32.dll | shell32.dll | user32.dll | winmm.dll) ;;
    *) fail "QuorbelClock.exe needs $dll, which is not part of Windows" ;;
  esac
done
echo "-- QuorbelClock.exe carries an icon, a version and a manifest (Common Controls 6, Windows 10 and 11, asInvoker) and imports only: $imports"

prepare_wine_prefix "$QUORBEL_BUILD_DIR/wineprefix"
user_dir=$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')
programs=$(winepath -u "$user_dir\\Programs\\Quorbel Alarm Clock" 2>/dev/null)
start_menu=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs" 2>/dev/null)
rm -rf "$programs"
wine "$SETUP" /S </dev/null >/dev/null 2>&1
for _ in $(seq 100); do [[ -f "$programs/Uninstall.exe" ]] && break; sleep 0.2; done
for file in QuorbelClock.exe QuorbelPreview.exe Config.ini Uninstall.exe; do
  [[ -f "$programs/$file" ]] || fail "the installer did not install $file into $programs"
done
[[ -f "$start_menu/Quorbel Alarm Clock.lnk" ]] || fail "the installer made no Start-menu shortcut"
echo "-- installed per user into $user_dir\\Programs\\Quorbel Alarm Clock, with a Start-menu shortcut"

# The installed program, started as on a first run, registers for this user
# only: its folder is the user's own.
run_key='Software\Microsoft\Windows\CurrentVersion\Run'
run_entry() {  # ROOT: the whole data of the Run value "Clock"
  wine reg query "$1\\$run_key" /v Clock 2>/dev/null | tr -d '\r' | sed -n 's/^ *Clock *REG_SZ *//p'
}
forget_autostart() {
  for root in HKCU HKLM; do wine reg delete "$root\\$run_key" /v Clock /f >/dev/null 2>&1 || true; done
}
trap 'forget_autostart; wine reg delete "HKCU\\Software\\QuorbelClock" /f >/dev/null 2>&1; wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
forget_autostart
wine reg delete 'HKCU\Software\QuorbelClock' /f >/dev/null 2>&1 || true
installed="\"$user_dir\\Programs\\Quorbel Alarm Clock\\QuorbelClock.exe\""
wine "$programs/QuorbelClock.exe" </dev/null >/dev/null 2>&1 &
for _ in $(seq 100); do [[ -n "$(run_entry HKCU)" ]] && break; sleep 0.2; done
[[ "$(run_entry HKCU)" == "$installed" ]] || fail "the installed program's entry for the user is '$(run_entry HKCU)'"
[[ -z "$(run_entry HKLM)" ]] || fail "the installed program wrote the machine-wide entry '$(run_entry HKLM)'"
echo "-- the installed program registered for this user only: $installed"

uninstall() {
  wine "$programs/Uninstall.exe" /S </dev/null >/dev/null 2>&1
  for _ in $(seq 100); do [[ ! -e "$programs" ]] && break; sleep 0.2; done
  [[ ! -e "$programs" ]] || fail "the uninstaller left $programs"
  [[ ! -f "$start_menu/Quorbel Alarm Clock.lnk" ]] || fail "the uninstaller left the shortcut"
}
uninstall
[[ -z "$(run_entry HKCU)" ]] || fail "the uninstaller left the program's autostart entry"
echo "-- the uninstaller ended the program and removed it, the shortcut and its autostart entry"

# Another program's "Clock" entries stay, under either root.
wine "$SETUP" /S </dev/null >/dev/null 2>&1
for _ in $(seq 100); do [[ -f "$programs/Uninstall.exe" ]] && break; sleep 0.2; done
[[ -f "$programs/Uninstall.exe" ]] || fail "the second install did not finish"
for root in HKCU HKLM; do
  wine reg add "$root\\$run_key" /v Clock /d 'C:\Other\Clock.exe /tray' /f >/dev/null 2>&1
done
uninstall
for root in HKCU HKLM; do
  [[ "$(run_entry $root)" == 'C:\Other\Clock.exe /tray' ]] ||
    fail "the uninstaller changed another program's entry under $root to '$(run_entry $root)'"
done
echo "-- the uninstaller left another program's \"Clock\" entries as they were"
