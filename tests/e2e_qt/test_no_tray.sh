#!/usr/bin/env bash
# On a display with no notification area the program says so on standard
# error and stays reachable: a second start with --settings (the menu entry's
# Settings action, launched as a desktop launches it) opens the dialog over
# the shown panel, one with --exit ends it with status 0, and one with any
# other arguments changes nothing. A tray that comes and goes again is said
# again. A first start with --exit ends at once; one with --settings opens
# the settings.
source "$(dirname "$0")/lib.sh"

prepare_home
start_virtual_display --no-tray
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"

# --exit with nothing running has nothing to end: it must not start the program.
status=0
timeout 5 "$PROGRAM" --exit </dev/null >/dev/null 2>&1 || status=$?
[[ "$status" == 0 ]] || fail "--exit with nothing running ended with status $status"
[[ "$(program_count)" == 0 ]] || fail "--exit with nothing running left $(program_count) instance(s)"
note "--exit with nothing running ended at once with status 0"

NOTICE='quorbel-clock: no system tray'
"$PROGRAM" </dev/null >"$E2E_DIR/program.log" 2>"$E2E_DIR/stderr.log" &
PROGRAM_PID=$!
E2E_PIDS+=("$PROGRAM_PID")
wait_for_panel 10
wait_until 5 panel_at -140 || fail "the panel did not rise (top $(panel_top))"
notices() { grep -c "^$NOTICE" "$E2E_DIR/stderr.log" || true; }
wait_until 3 bash -c "grep -q '^$NOTICE' '$E2E_DIR/stderr.log'" ||
  fail "standard error does not say there is no tray: $(cat "$E2E_DIR/stderr.log")"
note "said: $(grep "^$NOTICE" "$E2E_DIR/stderr.log")"

# second_start ARGS...: a second start that must end at once with status 0.
second_start() {
  local status=0
  timeout 5 "$PROGRAM" "$@" </dev/null >/dev/null 2>&1 || status=$?
  [[ "$status" == 0 ]] || fail "a second start with '$*' ended with status $status"
}

# menu_action NAME: launches an action of the shipped menu entry through
# GLib, as GNOME Shell does, with the built program first on the path.
menu_action() {
  PATH="$QUORBEL_BUILD_DIR/bin:$PATH" /usr/bin/python3 - "$QUORBEL_SOURCE_DIR/packaging/linux/quorbel-clock.desktop" "$1" <<'PY'
import sys
import gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio
entry = Gio.DesktopAppInfo.new_from_filename(sys.argv[1])
if sys.argv[2] not in entry.list_actions():
    sys.exit(f"the menu entry has no action {sys.argv[2]}: {entry.list_actions()}")
entry.launch_action(sys.argv[2], None)
PY
}

for arguments in "--some argument" "--exit now" "--Settings" "--settings --exit"; do
  # shellcheck disable=SC2086
  second_start $arguments
done
sleep 1
program_running || fail "a second start with other arguments ended the program"
dialog_closed || fail "a second start with other arguments opened the settings"
panel_at -140 || fail "a second start with other arguments moved the panel (top $(panel_top))"
note "second starts with other arguments changed nothing"

menu_action Settings || fail "the menu entry's Settings action could not be launched"
wait_until 4 dialog_open || fail "the menu entry's Settings action opened no dialog"
wait_until 2 panel_at 0 || fail "the panel is not shown under the dialog (top $(panel_top))"
screenshot "$E2E_DIR/settings.png"
click_cancel
wait_until 5 dialog_closed || fail "Cancel did not close the dialog"
wait_until 5 panel_at -140 || fail "the panel did not rise after Cancel"
note "the Settings action opened the dialog over the shown panel (screen: $E2E_DIR/settings.png)"

# A tray that appears takes the icon; when it goes, the program says so again.
start_tray_host
wait_until 5 tray_has_icon || fail "the icon did not dock in a tray started after the program"
# The program asks every 5 s: a tray gone before it asked was never there.
sleep 6
kill "$TRAYER_PID"
wait_until 8 bash -c "(( \$(grep -c '^$NOTICE' '$E2E_DIR/stderr.log') >= 2 ))" ||
  fail "the tray went away unsaid ($(notices) notices)"
note "a tray started later took the icon; when it went, that was said again ($(notices) notices)"

second_start --settings
wait_until 4 dialog_open || fail "--settings opened no dialog the second time"
second_start --exit
wait_until 5 bash -c "! kill -0 $PROGRAM_PID 2>/dev/null" || fail "--exit did not end the program"
status=0
wait "$PROGRAM_PID" || status=$?
[[ "$status" == 0 ]] || fail "--exit ended the program with status $status"
[[ "$(program_count)" == 0 ]] || fail "$(program_count) instances run after --exit"
note "--exit ended the program, its settings dialog open, with status 0"

# The Settings action when nothing runs starts the program with its settings.
"$PROGRAM" --settings </dev/null >/dev/null 2>&1 &
PROGRAM_PID=$!
E2E_PIDS+=("$PROGRAM_PID")
wait_until 10 dialog_open || fail "a first start with --settings opened no dialog"
second_start --exit
wait_until 5 bash -c "! kill -0 $PROGRAM_PID 2>/dev/null" || fail "--exit did not end the program started with --settings"
note "a first start with --settings opened the settings"
