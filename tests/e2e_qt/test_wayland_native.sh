#!/usr/bin/env bash
# Started on Qt's native Wayland platform (QT_QPA_PLATFORM=wayland), where a
# window cannot choose its place, the program says so on standard error at
# start, runs on, and ends on SIGTERM with status 0.
source "$(dirname "$0")/lib.sh"

command -v kwin_wayland >/dev/null || fail "kwin_wayland is not installed (./scripts/setup.sh installs it)"
[[ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so ]] ||
  fail "Qt's Wayland platform is not installed (./scripts/setup.sh installs qt6-wayland)"
prepare_home
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
start_headless_kwin quorbel-native
export WAYLAND_DISPLAY=quorbel-native XDG_SESSION_TYPE=wayland QT_QPA_PLATFORM=wayland

"$PROGRAM" </dev/null >"$E2E_DIR/program.log" 2>"$E2E_DIR/stderr.log" &
PROGRAM_PID=$!
E2E_PIDS+=($PROGRAM_PID)
said() { grep -q 'the panel cannot place itself' "$E2E_DIR/stderr.log"; }
wait_until 10 said || fail "nothing said on standard error of the panel's place (it said: $(head -c 600 "$E2E_DIR/stderr.log"))"
grep -qF 'QT_QPA_PLATFORM' "$E2E_DIR/stderr.log" || fail "the notice does not name QT_QPA_PLATFORM"
program_running || fail "the program ended on the native Wayland platform"

kill -TERM "$PROGRAM_PID"
status=0
wait "$PROGRAM_PID" || status=$?
[[ "$status" == 0 ]] || fail "SIGTERM ended the program with status $status"
note "on QT_QPA_PLATFORM=wayland the program said the panel cannot place itself, ran, and ended with status 0"
