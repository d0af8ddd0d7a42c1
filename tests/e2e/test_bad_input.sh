#!/usr/bin/env bash
# Damaged or odd data files and settings: with each, the program starts,
# shows and raises its panel, runs on, and its tray menu and settings dialog
# still open.
source "$(dirname "$0")/lib.sh"
source "$QUORBEL_SOURCE_DIR/tests/tools/memory.sh"  # peak_kib, memory_verdict
start_display
install_program

PANEL_LEFT=$(((1280 - 450) / 2))
PRISTINE="$E2E_DIR/pristine"
SHOTS="$E2E_DIR/shots"
mkdir -p "$PRISTINE" "$SHOTS"
cp "$E2E_DIR"/{Config.ini,icons.png,logo.png,load.wav} "$E2E_DIR/skins/aurora.png" "$PRISTINE/"

# --- Making damaged files without an image library.

# A 10000 x 10000 true-colour PNG with alpha: 381 MiB decoded, a few MB on
# disk. Made once; the huge cases copy it.
HUGE_PNG="$PRISTINE/huge.png"
/usr/bin/python3 "$QUORBEL_SOURCE_DIR/tests/tools/make_rgba_png.py" "$HUGE_PNG" 10000 10000

junk() {  # BYTES: the same binary junk on every run
  LC_ALL=C awk -v n="$1" 'BEGIN { srand(7); for (i = 0; i < n; i++) printf "%c", int(rand() * 255) + 1 }'
}

set_ini() {  # KEY VALUE: changes one value in section Skins of Config.ini
  sed -i "s/^$1=.*\r\$/$1=$2\r/" "$E2E_DIR/Config.ini"
}

restore_files() {
  cp "$PRISTINE"/{Config.ini,icons.png,logo.png,load.wav} "$E2E_DIR/"
  cp "$PRISTINE/aurora.png" "$E2E_DIR/skins/"
}

restore_registry() {
  wine reg delete "$SETTINGS" /f >/dev/null 2>&1 || true
  store_setting Autorun 1
}

# damage FILE HOW: replaces a data file by a missing, truncated, text or huge one.
damage() {
  local file="$E2E_DIR/$1"
  case $2 in
    missing) rm -f "$file" ;;
    truncated) head -c 300 "$PRISTINE/$(basename "$1")" >"$file" ;;
    text) printf 'This is not an image.\r\n' >"$file" ;;
    huge) cp "$HUGE_PNG" "$file" ;;
  esac
}

# --- Looking at the program as a user would.

panel_risen() { [[ "$(panel_field top)" == -140 ]]; }
no_dialog() { ! probe dialog >/dev/null; }
no_program() { [[ $(program_count) -eq 0 ]]; }

# The tray icon is the only one in trayer, at the middle of its 22 pixels.
tray_menu() {
  wait_until 5 tray_has_one_icon || fail "$CASE: no icon in the tray"
  sleep 0.3
  open_menu "$CASE"
  sleep 0.2
}

# check_case NAME: starts the program on the files and settings as they are
# now; it must show its panel and raise it, open the settings dialog from the
# tray menu within a few seconds, and end by the menu's Exit. With a huge
# picture its peak memory with the dialog open stays within the bound of the
# pristine case's.
check_case() {
  CASE=$1
  local started=$SECONDS shown_after programs
  [[ -z "$(own_programs)" ]] || fail "$CASE: a copy of the program runs before the case starts it"
  # The probe starts the program and sees its panel the moment it shows. Its
  # answer goes through a file: the program inherits the probe's output.
  (cd "$E2E_DIR" && wine "$PROBE" startup-time QuorbelClock.exe </dev/null >shown.txt 2>/dev/null) ||
    fail "$CASE: the panel was not shown within 10 s"
  shown_after=$(tr -d '\r' <"$E2E_DIR/shown.txt")
  programs=$(own_programs)
  [[ $(wc -w <<<"$programs") -eq 1 ]] || fail "$CASE: $(wc -w <<<"$programs") instances run after one start"
  wait_until 5 panel_risen || fail "$CASE: the panel did not rise"

  tray_menu
  xdotool key Down Return
  wait_until 5 probe dialog >/dev/null || fail "$CASE: the settings dialog did not open within 5 s"
  local x y children
  read -r x y children < <(probe dialog | awk '{for (i = 1; i <= 3; i++) {split($i, a, "="); v[i] = a[2]} print v[1], v[2], v[3]}')
  ((children < 30)) || fail "$CASE: the settings dialog has $children windows"
  sleep 0.3
  import -window root -crop "450x140+$PANEL_LEFT+0" "$SHOTS/$CASE.png"
  local peak
  peak=$(peak_kib "$programs")
  [[ "$CASE" != pristine ]] || PRISTINE_PEAK=$peak
  [[ "$CASE" != *-huge ]] || memory_verdict "$CASE" "with the dialog open" "$peak" "$PRISTINE_PEAK"
  xdotool mousemove $((x + 256)) $((y + 212)) click 1
  wait_until 5 no_dialog || fail "$CASE: Cancel did not close the dialog"

  probe responds 2000 || fail "$CASE: the program does not answer"
  tray_menu
  xdotool key Up Return
  wait_until 10 no_program || fail "$CASE: Exit did not end the program"
  wait_until 5 tray_empty || fail "$CASE: the icon stayed in the tray after Exit"
  note "$CASE: shown after $shown_after ms, raised, dialog with $children windows, ended by Exit ($((SECONDS - started)) s)"
}

restore_registry

# --- Config.ini
restore_files
check_case pristine

rm "$E2E_DIR/Config.ini"
check_case config-missing
: >"$E2E_DIR/Config.ini"
check_case config-empty
junk 65536 >"$E2E_DIR/Config.ini"
check_case config-binary-junk
{ cat "$PRISTINE/Config.ini"; printf '[Padding]\r\n'; head -c 50M < <(yes 'Padding=0123456789012345678901234567890123456789'); } >"$E2E_DIR/Config.ini"
check_case config-50MB
{ printf '\xef\xbb\xbf'; grep -av '^;' "$PRISTINE/Config.ini"; } >"$E2E_DIR/Config.ini"
check_case config-utf8-bom
tr '\n' '\r' <"$PRISTINE/Config.ini" | tr -s '\r' >"$E2E_DIR/Config.ini"
check_case config-cr-only
restore_files
long=$(head -c 6000 /dev/zero | tr '\0' 'W')
for key in Language Bitmap1 'SBitmap(1)' Title Risk1 Advice1 MenuSetting SetTitle; do
  sed -i "s/^${key//[()]/.}=.*\r\$/$key=$long\r/" "$E2E_DIR/Config.ini"
done
check_case config-6000-character-values

for value in '' 0 -1 99999 abc; do
  restore_files
  set_ini Selected "$value"
  check_case "selected-'$value'"
done
for value in 0 -5 100000 x; do
  restore_files
  set_ini Count "$value"
  check_case "count-'$value'"
done
restore_files

# --- Registry values of the wrong type or size
wine reg add "$SETTINGS" /v Hours /t REG_SZ /d 2 /f >/dev/null 2>&1
wine reg add "$SETTINGS" /v Minutes /t REG_BINARY /d 01 /f >/dev/null 2>&1
check_case registry-string-and-1-byte
wine reg add "$SETTINGS" /v Hours /t REG_BINARY /d 0100000000000000 /f >/dev/null 2>&1
wine reg add "$SETTINGS" /v Minutes /t REG_QWORD /d 5 /f >/dev/null 2>&1
check_case registry-8-bytes-and-qword
restore_registry

# --- Images
for file in skins/aurora.png icons.png logo.png; do
  for how in missing truncated text huge; do
    restore_files
    damage "$file" "$how"
    check_case "$(basename "$file" .png)-$how"
  done
done
restore_files
