# Shared steps of the end-to-end tests of the native Linux program: a virtual
# display with a tray host and no window manager, a home of the test's own,
# and ways to look at the program as a user would.
set -euo pipefail

: "${QUORBEL_BUILD_DIR:?the native build directory}"
: "${QUORBEL_SOURCE_DIR:?the source directory}"
source "$QUORBEL_SOURCE_DIR/scripts/lib/display.sh"

E2E_NAME=$(basename "$0" .sh)
E2E_DIR="$QUORBEL_BUILD_DIR/e2e_qt/$E2E_NAME"
PROGRAM="$QUORBEL_BUILD_DIR/bin/quorbel-clock"
CAPTION='Quorbel Alarm Clock'
E2E_PIDS=()

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

note() { echo "-- $*"; }

cleanup() {
  local status=$?
  local pid
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${VIRTUAL_DISPLAY_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  exit "$status"
}
trap cleanup EXIT

# A fresh home for the test: its own settings, autostart folder and runtime
# directory, so each test starts as a first run and no instance of another
# test (or of the user) counts as the running one.
prepare_home() {
  rm -rf "$E2E_DIR"
  mkdir -p "$E2E_DIR/config" "$E2E_DIR/runtime"
  chmod 700 "$E2E_DIR/runtime"
  export HOME="$E2E_DIR"
  export XDG_CONFIG_HOME="$E2E_DIR/config"
  export XDG_RUNTIME_DIR="$E2E_DIR/runtime"
  unset DBUS_SESSION_BUS_ADDRESS
  SETTINGS_FILE="$XDG_CONFIG_HOME/quorbel-clock/settings.reg"
  AUTOSTART_FILE="$XDG_CONFIG_HOME/autostart/quorbel-clock.desktop"
  USER_CONFIG_INI="$XDG_CONFIG_HOME/quorbel-clock/Config.ini"
}

start_display() {
  start_virtual_display
  xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"
}

# store_interval HOURS MINUTES: the settings file as a first run that the
# user already set up would have it.
store_interval() {
  mkdir -p "$(dirname "$SETTINGS_FILE")"
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\QuorbelClock]\n"Autorun"=dword:00000001\n"Hours"=dword:%08x\n"Minutes"=dword:%08x\n' \
    "$1" "$2" >"$SETTINGS_FILE"
}

# setting NAME: the value's data as the settings file holds it.
setting() { sed -n "s/^\"$1\"=//p" "$SETTINGS_FILE" 2>/dev/null | tr -d '\r'; }

# launch [ARGS...]: starts the program in the background.
launch() {
  "$PROGRAM" "$@" </dev/null >"$E2E_DIR/program.log" 2>&1 &
  PROGRAM_PID=$!
  E2E_PIDS+=($PROGRAM_PID)
}

program_running() {
  local state
  state=$(ps -o stat= -p "$PROGRAM_PID" 2>/dev/null)
  [[ -n "$state" && "$state" != Z* ]]
}

# Instances of the program in this test's home (other tests run their own).
program_count() {
  local pid count=0
  for pid in $(pgrep -x quorbel-clock || true); do
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" &&
      count=$((count + 1))
  done
  echo "$count"
}

# panel_window: the id of the program's 450 x 140 panel window.
panel_window() {
  xwininfo -root -tree 2>/dev/null | awk -v name="\"$CAPTION\"" '
    !found && index($0, name) && / 450x140\+/ {print $1; found = 1}'
}

# panel_geometry: "left top width height" of the panel window on the screen.
panel_geometry() {
  local id
  id=$(panel_window)
  [[ -n "$id" ]] || return 1
  xwininfo -id "$id" | awk '/Absolute upper-left X:/ {x = $4} /Absolute upper-left Y:/ {y = $4}
    /Width:/ {w = $2} /Height:/ {h = $2} /Map State:/ {m = $3}
    END {if (m == "IsViewable") print x, y, w, h; else print "unmapped"}'
}

panel_top() { panel_geometry | awk '{print $2}'; }
panel_left() { panel_geometry | awk '{print $1}'; }
panel_at() { [[ "$(panel_top)" == "$1" ]]; }

# The panel's X window is made before it is shown (it follows its screen's
# pixel ratio from the start): only a mapped one counts as shown.
panel_exists() { local geometry; geometry=$(panel_geometry) && [[ "$geometry" != unmapped ]]; }

wait_for_panel() {
  wait_until "$1" panel_exists && return 0
  program_running || fail "the program ended at start (log: $(head -c 500 "$E2E_DIR/program.log"))"
  fail "the program showed no panel window within $1 s"
}

# start_risen: the program started as a user starts it, its panel up out of
# view and its icon docked.
start_risen() {
  launch
  wait_for_panel 10
  wait_until 5 tray_has_icon || fail "no icon docked in the tray host"
  wait_until 5 panel_at -140 || fail "the panel did not rise"
}

# The program's pop-up menu: a mapped top-level window of the program that
# carries no caption of its own (the panel and the dialog have theirs).
menu_window() {
  local id
  for id in $(xwininfo -root -children 2>/dev/null | awk '/"quorbel-clock": \("quorbel-clock" "quorbel-clock"\)/ {print $1}'); do
    xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && { echo "$id"; return 0; }
  done
  return 1
}
menu_open() { menu_window >/dev/null; }
menu_closed() { ! menu_open; }

# open_menu WHY: right-clicks the icon; fails, with a screenshot, when no
# menu opens.
open_menu() {
  click_tray_icon 3
  wait_until 3 menu_open && return 0
  screenshot "$E2E_DIR/no_menu.png"
  fail "a right click on the icon opened no menu ($1; screen: $E2E_DIR/no_menu.png)"
}

# The tray menu's items, top to bottom: Setting, the web page, a separator,
# Exit.
choose_menu_item() {  # INDEX (1 = Setting, 2 = web page, 3 = Exit)
  local keys=()
  for _ in $(seq "$1"); do keys+=(Down); done
  xdotool key "${keys[@]}" Return
}

# exit_from_menu: Exit in the tray menu; fails unless the program ends, with
# status 0.
exit_from_menu() {
  open_menu "to exit"
  choose_menu_item 3
  wait_until 5 bash -c "! kill -0 $PROGRAM_PID 2>/dev/null" || fail "Exit did not end the program"
  local status=0
  wait "$PROGRAM_PID" || status=$?
  [[ "$status" == 0 ]] || fail "the program ended with status $status"
}

# keep_user_busy: moves the pointer every 200 ms, as a user at work does,
# until the test ends.
keep_user_busy() {
  (
    while :; do
      xdotool mousemove_relative -- 3 0 sleep 0.1 mousemove_relative -- -3 0 sleep 0.1 2>/dev/null || true
    done
  ) &
  BUSY_PID=$!
  E2E_PIDS+=($BUSY_PID)
}
stop_user() { kill "$BUSY_PID" 2>/dev/null || true; wait "$BUSY_PID" 2>/dev/null || true; }

# x_idle_ms: the X server's idle time, as the program's idle source reads it.
x_idle_ms() { xprintidle 2>/dev/null || echo unknown; }

# --- The settings dialog, opened from the tray menu.

DIALOG=Settings  # "SetTitle" of the shipped Config.ini

dialog_window() { xdotool search --all --pid "$PROGRAM_PID" --onlyvisible --name "^$DIALOG\$" 2>/dev/null | head -n 1; }
dialog_open() { [[ -n "$(dialog_window)" ]]; }
dialog_closed() { ! dialog_open; }

# open_settings: the tray menu's first item; the panel comes down with it.
open_settings() {
  open_menu "for the settings"
  choose_menu_item 1
  if ! wait_until 4 dialog_open; then
    program_running || fail "the program is no longer running"
    screenshot "$E2E_DIR/no_dialog.png"
    fail "the settings dialog did not open from the tray menu (screen: $E2E_DIR/no_dialog.png)"
  fi
  wait_until 2 panel_at 0 || fail "the panel is not shown while the dialog is open (top $(panel_top))"
}

# click_in_dialog X Y: clicks at X Y of the dialog's client area.
click_in_dialog() {
  local id x y
  id=$(dialog_window)
  [[ -n "$id" ]] || fail "no settings dialog to click in"
  eval "$(xwininfo -id "$id" | awk '/Absolute upper-left X:/ {print "x=" $4} /Absolute upper-left Y:/ {print "y=" $4}')"
  xdotool mousemove $((x + $1)) $((y + $2)) sleep 0.1 click 1
}

# set_interval HOURS MINUTES: types both fields as a user tabbing through
# them does; the dialog opens with the focus in Hours. (Where the fields lie
# follows the width of the caption before them.) A click on the dialog's
# empty lower right part gives it the keyboard without moving the focus.
set_interval() {
  click_in_dialog 250 180
  sleep 0.2
  xdotool key ctrl+a
  xdotool type "$1"
  xdotool key Tab ctrl+a
  xdotool type "$2"
  sleep 0.2
}

# click_thumbnail INDEX: 49-pixel thumbnails, 3 apart, from 2 pixels into the
# strip's viewport at (16, 80) inside its 2-pixel border.
click_thumbnail() { click_in_dialog $((16 + 2 + 2 + 52 * $1 + 24)) $((80 + 2 + 26)); }
click_ok() { click_in_dialog 184 212; }
click_cancel() { click_in_dialog 256 212; }

user_selected() { tr -d '\r' <"$USER_CONFIG_INI" 2>/dev/null | sed -n 's/^Selected=//p'; }

# panel_differs_from_preview SHOT SKIN LEVEL MINUTES: how many pixels of the
# panel in the screenshot differ from the preview tool's drawing of that
# skin, level and use time, over black as Xvfb shows it without a
# compositor. The shaking logo's corner is left out.
panel_differs_from_preview() {
  local shot=$1 preview="$E2E_DIR/preview.png" left
  left=$(panel_left)
  "$QUORBEL_BUILD_DIR/bin/quorbel-preview" --skin "$2" --level "$3" --minutes "$4" --out "$preview" \
    >/dev/null 2>&1 || fail "the preview tool failed"
  local mask=(-fill black -draw 'rectangle 380,70 449,110')
  convert-im6.q16 "$preview" -background black -flatten "${mask[@]}" "$E2E_DIR/expected.png"
  convert-im6.q16 "$shot" -crop "450x140+$left+0" +repage "${mask[@]}" "$E2E_DIR/shown.png"
  compare-im6.q16 -metric AE -fuzz 8% "$E2E_DIR/expected.png" "$E2E_DIR/shown.png" null: 2>&1 || true
}

# start_headless_kwin SOCKET: a headless KWin (1024 x 768) on the Wayland
# socket SOCKET in XDG_RUNTIME_DIR, without XWayland; its process in KWIN_PID.
start_headless_kwin() {
  # The package gives kwin_wayland a file capability, which a container may
  # refuse to execute; a copy has none. KWin loads its own platform plugin
  # only under its own name.
  mkdir -p "$E2E_DIR/kwin"
  cp /usr/bin/kwin_wayland "$E2E_DIR/kwin/kwin_wayland"
  KWIN_COMPOSE=Q "$E2E_DIR/kwin/kwin_wayland" --virtual --socket "$1" --width 1024 --height 768 \
    --no-lockscreen --no-global-shortcuts --no-kactivities >"$E2E_DIR/kwin.log" 2>&1 &
  KWIN_PID=$!
  E2E_PIDS+=($KWIN_PID)
  wait_until 20 test -S "$XDG_RUNTIME_DIR/$1" ||
    fail "KWin started no Wayland socket within 20 s (log: $(tail -c 600 "$E2E_DIR/kwin.log"))"
}

# --- StatusNotifierItem hosts: the menu exported over DBusMenu.

STATUS_NOTIFIER="/usr/bin/python3 $QUORBEL_SOURCE_DIR/tests/e2e_qt/status_notifier.py"

# start_session_bus: a session bus of the test's own, exported as
# DBUS_SESSION_BUS_ADDRESS.
start_session_bus() {
  local address_file
  address_file=$(mktemp)
  dbus-daemon --session --nofork --print-address=3 3>"$address_file" >/dev/null 2>&1 &
  VIRTUAL_DISPLAY_PIDS+=($!)
  wait_until 5 test -s "$address_file" || fail "the session bus did not start"
  DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$address_file")
  export DBUS_SESSION_BUS_ADDRESS
  rm -f "$address_file"
}

# expect_menu_entries SERVICE PATH ENTRY...: the item's exported menu holds
# exactly these entries ("-" for a separator), in order; MENU_PATH and
# MENU_IDS (one per entry) are set from it.
expect_menu_entries() {
  local service=$1 path=$2 listing
  shift 2
  listing=$($STATUS_NOTIFIER menu "$service" "$path") || fail "the item's menu could not be read"
  MENU_PATH=$(head -n 1 <<<"$listing")
  [[ "$MENU_PATH" != /NO_DBUSMENU ]] || fail "the item tells hosts it has no menu"
  mapfile -t MENU_IDS < <(tail -n +2 <<<"$listing" | cut -d' ' -f1)
  local labels expected
  labels=$(tail -n +2 <<<"$listing" | cut -d' ' -f2-)
  expected=$(printf '%s\n' "$@")
  [[ "$labels" == "$expected" ]] || fail "the exported menu holds [$labels], expected [$expected]"
}
