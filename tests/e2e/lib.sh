# Shared steps of the end-to-end tests: a virtual display with a tray host and
# no window manager, a ready Wine prefix, a scratch copy of the installed
# program, and ways to look at it as a user would.
set -euo pipefail

: "${QUORBEL_BUILD_DIR:?the Windows build directory}"
: "${QUORBEL_SOURCE_DIR:?the source directory}"
source "$QUORBEL_SOURCE_DIR/scripts/lib/display.sh"
source "$QUORBEL_SOURCE_DIR/scripts/lib/wine.sh"
# A probe under Wine takes a good part of a second: waits count tries.
WAIT_COUNTS_TRIES=1

E2E_NAME=$(basename "$0" .sh)
E2E_DIR="$QUORBEL_BUILD_DIR/e2e/$E2E_NAME"
PROBE="$QUORBEL_BUILD_DIR/tests/e2e/quorbel_probe.exe"
E2E_PIDS=()
SETTINGS='HKCU\Software\QuorbelClock'

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

note() { echo "-- $*"; }

# retry WHAT: says that a step is tried once more, in the test's output and
# in a log the test command's summary prints; the one retry a step gets.
RETRY_LOG="$QUORBEL_BUILD_DIR/e2e/retries.log"
retry() {
  echo "-- retry: $*"
  mkdir -p "$(dirname "$RETRY_LOG")"
  echo "$E2E_NAME: $*" >>"$RETRY_LOG"
}

# own_pids PATTERN: processes matching PATTERN that run in this test's Wine
# prefix. Other test runs share the machine; their programs are not ours.
own_pids() {
  local pid
  for pid in $(pgrep -f "$1" || true); do
    if tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=${WINEPREFIX:-}"; then
      echo "$pid"
    fi
  done
}

# stop_program: ends every instance of the program in this prefix, and waits
# up to 5 s for them to be gone.
stop_program() {
  local pids
  pids=$(own_pids 'QuorbelClock.exe')
  [[ -z "$pids" ]] || kill -CONT $pids 2>/dev/null || true
  [[ -z "$pids" ]] || kill $pids 2>/dev/null || true
  for _ in $(seq 50); do
    [[ -z "$(own_programs)" ]] && return 0
    sleep 0.1
  done
  echo "FAIL: the program did not end within 5 s of a kill" >&2
  return 1
}

cleanup() {
  local status=$?
  stop_program || true
  local probes
  probes=$(own_pids 'quorbel_probe.exe')
  [[ -z "$probes" ]] || kill $probes 2>/dev/null || true
  for pid in "${E2E_PIDS[@]}" "${VIRTUAL_DISPLAY_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  # Whatever Windows processes of this prefix are left (probes included); the
  # scratch copy's autostart entry must not start it in a later session.
  [[ -n "${WINEPREFIX:-}" ]] && stop_wine_server
  exit "$status"
}
trap cleanup EXIT

# Starts Xvfb on a display of its own, and trayer on it.
start_display() {
  start_virtual_display
  [[ "$DISPLAY" != ":" ]] && xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"
}

# Makes a scratch copy of the program with its data files, and clears every
# setting the program keeps, so each test starts as a first run, in a Wine
# server session of its own (a server started without a display keeps a
# 1024 x 768 screen, where clicks on the tray icon miss) that starts no copy
# of the program left by an earlier test.
install_program() {
  rm -rf "$E2E_DIR"
  start_clean_wine_session "$QUORBEL_BUILD_DIR/wineprefix" || fail "no clean Wine session"
  wine reg delete "$SETTINGS" /f </dev/null >/dev/null 2>&1 || true
  mkdir -p "$E2E_DIR"
  cp -r "$QUORBEL_BUILD_DIR/bin/." "$E2E_DIR/"
  PROGRAM="$E2E_DIR/QuorbelClock.exe"
}

# launch [ARGS...]: starts the program in the background; wine execs it, so
# PROGRAM_PID is the program's own process.
LAUNCHED_PIDS=()
launch() {
  (cd "$E2E_DIR" && exec wine "$PROGRAM" "$@" </dev/null >/dev/null 2>&1) &
  PROGRAM_PID=$!
  E2E_PIDS+=($PROGRAM_PID)
  LAUNCHED_PIDS+=($PROGRAM_PID)
}

# expect_own_instance: exactly one copy of the program runs in this prefix,
# and this test started it. Anything else is an instance from elsewhere (an
# autostart entry a new session ran), whose panel answers the probes but
# which read its settings before the test stored them.
expect_own_instance() {
  local programs
  programs=$(own_programs)
  [[ $(wc -w <<<"$programs") -eq 1 && " ${LAUNCHED_PIDS[*]} " == *" $programs "* ]] ||
    fail "not exactly one instance of the test's own: running $(echo ${programs:-none}), started ${LAUNCHED_PIDS[*]:-none}"
}

probe() { wine "$PROBE" "$@" </dev/null 2>/dev/null | tr -d '\r'; }

# wait_for_panel SECONDS: waits until the panel window exists.
wait_for_panel() {
  local deadline=$((SECONDS + $1))
  while ((SECONDS < deadline)); do
    probe panel >/dev/null && expect_own_instance && return 0
    sleep 0.2
  done
  fail "the program did not show its panel window within $1 s"
}

# panel_field NAME: one field (top, left, topmost ...) of the panel window.
panel_field() { probe panel | tr ' ' '\n' | sed -n "s/^$1=//p"; }

program_count() { own_programs | wc -l; }

reg_value() {  # KEY NAME: the value's data as `wine reg query` prints it
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v name="$2" '$1 == name {print $3}'
}

# store_setting NAME NUMBER: stores one of the program's settings as a
# REG_DWORD and checks that it is there: a setting that silently failed to
# land would leave the program on its defaults.
store_setting() {
  wine reg add "$SETTINGS" /v "$1" /t REG_DWORD /d "$2" /f </dev/null >/dev/null 2>&1 || true
  [[ "$(reg_value "$SETTINGS" "$1")" == "$(printf '0x%x' "$2")" ]] || fail "could not store the setting $1 = $2"
}

# --- A user at work, and why a reminder did not come.

# start_working_user SECONDS: the user works for SECONDS: a Wine window under
# the pointer (Wine's last-input clock sees only input on its own windows)
# and a pointer move over it every 200 ms while $WORKING exists (removing it
# is a break). A watcher logs every read of the last-input stamp that is later
# than the tick count. Returns once the input clock is seen to move.
WORKING="$E2E_DIR/working"
STAMP_LOG="$E2E_DIR/stamp_ahead.log"
start_working_user() {
  touch "$WORKING"
  wine "$PROBE" input-window "$1" </dev/null >/dev/null 2>&1 &
  INPUT_WINDOW_PID=$!
  E2E_PIDS+=($INPUT_WINDOW_PID)
  (
    i=0
    while true; do
      [[ -f "$WORKING" ]] && xdotool mousemove $((100 + i % 40)) $((400 + i % 7)) 2>/dev/null
      i=$((i + 1))
      sleep 0.2
    done
  ) &
  E2E_PIDS+=($!)
  wine "$PROBE" stamp-ahead $(($1 * 1000)) </dev/null >"$STAMP_LOG" 2>/dev/null &
  E2E_PIDS+=($!)
  sleep 1
  expect_input_clock_moving
}

# expect_input_clock_moving: before waiting for a reminder, the user's input
# must reach Wine's last-input clock. A clock that stays put gets one retry
# with a new input window.
expect_input_clock_moving() {
  input_clock_moves "$PROBE" && return 0
  retry "the last-input clock did not move ($(probe input-clock)): a new input window"
  kill "$INPUT_WINDOW_PID" 2>/dev/null || true
  wine "$PROBE" input-window 600 </dev/null >/dev/null 2>&1 &
  INPUT_WINDOW_PID=$!
  E2E_PIDS+=($INPUT_WINDOW_PID)
  sleep 1
  input_clock_moves "$PROBE" ||
    fail "Wine's last-input clock does not move although the pointer moves over a Wine window ($(probe input-clock))"
}

# why_no_reminder: which of the known causes kept a reminder away, with what
# the reminder depends on, for a failure message.
why_no_reminder() {
  local answers=no status=0
  if ! kill -0 "$PROGRAM_PID" 2>/dev/null; then
    wait "$PROGRAM_PID" 2>/dev/null || status=$?
    echo "cause: the program ended, with status $status"
    return
  fi
  probe responds 2000 && answers=yes
  echo "cause: $(reminder_blockers "$PROBE" "$PROGRAM_PID" "$STAMP_LOG"); panel top $(panel_field top)," \
    "answers messages: $answers; Hours $(reg_value "$SETTINGS" Hours), Minutes $(reg_value "$SETTINGS" Minutes)"
}

program_running() {
  local state
  state=$(ps -o stat= -p "$PROGRAM_PID" 2>/dev/null)
  [[ -n "$state" && "$state" != Z* ]]
}

# The window trayer made to hold the docked icon; a new one on each dock.
tray_icon_window() {
  local panel
  panel=$(tray_panel_id)
  [[ -n "$panel" ]] && xwininfo -id "$panel" -children 2>/dev/null | awk '!found && /^ +0x/ && !/ 1x1\+/ {print $1; found = 1}'
}

# wait_for_panel_top TOP SECONDS: waits until the panel's top edge is TOP.
wait_for_panel_top() {
  local deadline=$((SECONDS + $2))
  while ((SECONDS < deadline)); do
    [[ "$(panel_field top)" == "$1" ]] && return 0
    sleep 0.1
  done
  return 1
}

# dialog_controls CAPTION: the probe's view of the visible dialog box with
# that caption (see `quorbel_probe controls`); fails when there is none.
dialog_controls() { probe controls "$1"; }

# wait_for_dialog CAPTION SECONDS / wait_for_no_dialog CAPTION SECONDS
wait_for_dialog() {
  local deadline=$((SECONDS + $2))
  while ((SECONDS < deadline)); do
    dialog_controls "$1" >/dev/null && return 0
    sleep 0.1
  done
  return 1
}
wait_for_no_dialog() {
  local deadline=$((SECONDS + $2))
  while ((SECONDS < deadline)); do
    dialog_controls "$1" >/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# control CAPTION KEY FIELD: one field of a control of that dialog box, found
# by its id or its window class: x y width height (its client area on the
# screen), visible, checked or text.
control() {
  dialog_controls "$1" | awk -v key="$2" -v field="$3" '
    $1 == "control" && ($2 == key || $3 == key) {
      split("x y width height visible checked", names, " ")
      for (i = 1; i <= 6; i++) if (names[i] == field) {print $(i + 3); exit}
      for (i = 1; i <= 9; i++) sub(/^[^ ]+ /, "")
      print
      exit
    }'
}

# click_control CAPTION KEY [DX DY]: clicks a control in its middle, or at
# DX DY in its client area.
click_control() {
  local x y width height
  read -r x y width height < <(dialog_controls "$1" |
    awk -v key="$2" '$1 == "control" && ($2 == key || $3 == key) {print $4, $5, $6, $7; exit}')
  [[ -n "${height:-}" ]] || fail "no control $2 in the dialog \"$1\""
  xdotool mousemove $((x + ${3:-$((width / 2))})) $((y + ${4:-$((height / 2))})) click 1
}

# --- The tray menu.

menu_open() { probe menu >/dev/null; }
menu_closed() { ! menu_open; }

# redock_icon: docks the icon again in a fresh tray host. Now and then Wine
# docks an icon that takes no clicks; the shell's restart message makes the
# program add a live one.
redock_icon() {
  kill "$TRAYER_PID" 2>/dev/null || true
  wait "$TRAYER_PID" 2>/dev/null || true
  start_tray_host
  probe taskbar-created
  wait_until 10 tray_has_one_icon || true
}

# open_menu WHY: right-clicks the icon. A click Wine's tray drops (the
# program never hears of it) gets one retry, on the icon docked again.
open_menu() {
  click_tray_icon 3
  wait_until 3 menu_open && return 0
  retry "a right click on the icon opened no menu ($1): docking the icon again"
  redock_icon
  click_tray_icon 3
  wait_until 3 menu_open && return 0
  screenshot "$E2E_DIR/no_menu.png"
  fail "a right click on the icon opened no menu ($1; screen: $E2E_DIR/no_menu.png)"
}

# --- The settings dialog, opened from the tray menu.

DIALOG=Settings  # "SetTitle" of the shipped Config.ini
MESSAGE='Quorbel Alarm Clock'
HOURS_ID=101
MINUTES_ID=102
AUTORUN_ID=103
OK_ID=1
CANCEL_ID=2

# The tray menu's first item opens the dialog; the panel comes down with it.
open_settings() {
  open_menu "for the settings"
  xdotool key Down Return
  if ! wait_for_dialog "$DIALOG" 4; then
    kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program is no longer running"
    screenshot "$E2E_DIR/no_dialog.png"
    fail "the settings dialog did not open from the tray menu (screen: $E2E_DIR/no_dialog.png)"
  fi
  [[ "$(panel_field top)" == 0 ]] || fail "the panel is not shown while the dialog is open"
}

fields() { echo "$(control "$DIALOG" $HOURS_ID text)|$(control "$DIALOG" $MINUTES_ID text)"; }

# replace_field ID TEXT: selects the whole field and types TEXT over it.
replace_field() {
  click_control "$DIALOG" "$1"
  sleep 0.2
  xdotool key End shift+Home
  xdotool type "$2"
  sleep 0.3
}

# click_thumbnail INDEX: the skin strip's thumbnails are 49 pixels wide with
# 3 between them, from 2 pixels in.
click_thumbnail() { click_control "$DIALOG" QuorbelSkinStrip $((2 + 52 * $1 + 24)) 26; }

config_selected() { tr -d '\r' <"$E2E_DIR/Config.ini" | sed -n 's/^Selected=//p'; }

# closed_and_risen WHAT: the dialog closed and the panel went up again.
# Without a window manager Wine waits up to 2 s for a closed dialog's window
# to be withdrawn before it goes on.
closed_and_risen() {
  wait_for_no_dialog "$DIALOG" 5 || fail "$1 did not close the dialog"
  if ! kill -0 "$PROGRAM_PID" 2>/dev/null; then
    local status=0
    wait "$PROGRAM_PID" || status=$?
    fail "the program ended after $1 with status $status"
  fi
  wait_for_panel_top -140 5 || fail "the panel did not rise after $1 (top $(panel_field top))"
}

# panel_differs_from_preview SHOT SKIN LEVEL MINUTES: how many pixels of the
# panel in the screenshot differ from the preview tool's drawing of that
# skin, level and use time (over black, as Xvfb shows it without a
# compositor). The shaking logo's corner is left out.
panel_differs_from_preview() {
  local shot=$1 preview="$E2E_DIR/preview.png" left
  left=$(panel_field left)
  (cd "$E2E_DIR" && wine ./QuorbelPreview.exe --skin "$2" --level "$3" --minutes "$4" \
    --out preview.png </dev/null >/dev/null 2>&1) || fail "the preview tool failed"
  local mask=(-fill black -draw 'rectangle 380,70 449,110')
  convert-im6.q16 "$preview" -background black -flatten "${mask[@]}" "$E2E_DIR/expected.png"
  convert-im6.q16 "$shot" -crop "450x140+$left+0" +repage "${mask[@]}" "$E2E_DIR/shown.png"
  compare-im6.q16 -metric AE -fuzz 8% "$E2E_DIR/expected.png" "$E2E_DIR/shown.png" null: 2>&1 || true
}
