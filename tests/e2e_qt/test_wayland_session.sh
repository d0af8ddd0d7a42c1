#!/usr/bin/env bash
# On a Wayland session (a headless KWin with XWayland) the program puts its
# windows on XWayland: the panel shows centred at the top and rises, the icon
# docks in a tray host there, the tray menu's Exit ends it. Its idle time
# comes from the compositor, not from XWayland's X server, and it says so on
# the terminal it was started from.
source "$(dirname "$0")/lib.sh"

command -v kwin_wayland >/dev/null || fail "kwin_wayland is not installed (./scripts/setup.sh installs it)"
prepare_home

# The package gives kwin_wayland a file capability, which a container may
# refuse to execute; a copy has none. KWin loads its own platform plugin only
# under its own name.
mkdir -p "$E2E_DIR/kwin"
cp /usr/bin/kwin_wayland "$E2E_DIR/kwin/kwin_wayland"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
KWIN_COMPOSE=Q "$E2E_DIR/kwin/kwin_wayland" --virtual --xwayland --socket quorbel-e2e --width 1024 --height 768 \
  --no-lockscreen --no-global-shortcuts --no-kactivities >"$E2E_DIR/kwin.log" 2>&1 &
KWIN_PID=$!
E2E_PIDS+=($KWIN_PID)

xwayland_display() { pgrep -a -P "$KWIN_PID" Xwayland | grep -oE ' :[0-9]+' | tr -d ' '; }
wait_until 20 bash -c "[[ -S '$XDG_RUNTIME_DIR/quorbel-e2e' ]] && pgrep -P $KWIN_PID Xwayland >/dev/null" ||
  fail "KWin started no Wayland socket and XWayland within 20 s (log: $(tail -c 600 "$E2E_DIR/kwin.log"))"
export DISPLAY
DISPLAY=$(xwayland_display)
wait_until 10 xdpyinfo >/dev/null 2>&1 || fail "XWayland ($DISPLAY) takes no clients"
export WAYLAND_DISPLAY=quorbel-e2e XDG_SESSION_TYPE=wayland
start_tray_host

# A terminal for the program's standard error, as a user starting it from
# one has.
script -qfec "$PROGRAM" "$E2E_DIR/terminal.log" </dev/null >/dev/null 2>&1 &
TERMINAL_PID=$!
E2E_PIDS+=($TERMINAL_PID)
wait_until 10 bash -c "pgrep -x quorbel-clock >/dev/null" || fail "the program did not start"
for pid in $(pgrep -x quorbel-clock); do
  tr '\0' '\n' <"/proc/$pid/environ" | grep -qxF "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" && PROGRAM_PID=$pid
done
[[ -n "${PROGRAM_PID:-}" ]] || fail "no program of this test runs"
cp /dev/null "$E2E_DIR/program.log"
wait_for_panel 10

read -r left _ width height < <(panel_geometry)
[[ "$width" == 450 && "$height" == 140 ]] || fail "the panel is ${width}x$height on XWayland, not 450x140"
[[ "$left" == $(((1024 - 450) / 2)) ]] || fail "the panel is not centred on XWayland (left $left)"
wait_until 5 panel_at -140 || fail "the panel did not rise out of view (top $(panel_top))"

wait_until 5 grep -q 'idle time from' "$E2E_DIR/terminal.log" || fail "nothing said on the terminal of the idle source"
grep -qF 'idle time from the Wayland compositor (ext-idle-notify-v1)' "$E2E_DIR/terminal.log" ||
  fail "the idle source on a Wayland session is not the compositor's: $(tr -d '\r' <"$E2E_DIR/terminal.log")"

# KWin, as XWayland's window manager, keeps trayer's panel at its first size,
# so the icon counts as docked once trayer has embedded it.
icon_docked() { xwininfo -tree -id "$(tray_panel_id)" 2>/dev/null | grep -q '("quorbel-clock" "quorbel-clock")'; }
wait_until 5 icon_docked || fail "no icon docked in the tray host on XWayland"
icon_at() {
  xwininfo -tree -id "$(tray_panel_id)" | awk '/\("quorbel-clock" "quorbel-clock"\)/ {split($NF, p, "+"); print p[2], p[3]; exit}'
}
read -r icon_x icon_y < <(icon_at)
xdotool mousemove 600 400 sleep 0.1 mousemove $((icon_x + 1)) $((icon_y + 8)) sleep 0.1 click 3
wait_until 3 menu_open || { screenshot "$E2E_DIR/no_menu.png"; fail "a right click on the icon opened no menu (screen: $E2E_DIR/no_menu.png)"; }
choose_menu_item 3
wait_until 5 bash -c "! kill -0 $PROGRAM_PID 2>/dev/null" || fail "Exit did not end the program"
status=0
wait "$TERMINAL_PID" || status=$?
[[ "$status" == 0 ]] || fail "the program ended with status $status"
note "XWayland $DISPLAY: panel 450x140 at left $left, risen; idle time from the compositor; icon docked; Exit ended it"
