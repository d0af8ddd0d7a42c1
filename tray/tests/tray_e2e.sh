#!/usr/bin/env bash
# End-to-end checks of the notification-area icon and its menu under Wine,
# on a display of their own with trayer as the tray host and no window manager:
#   the icon docks; a right click opens the menu (screenshot kept); Escape and a
#   click elsewhere close it; after the tray host restarts and the shell
#   broadcasts "TaskbarCreated" the program adds its icon again; Exit removes
#   the icon and ends the program within a second.
# Usage: tray_e2e.sh PROGRAM.exe TASKBAR_CREATED.exe WORK_DIR
set -u

program=$(realpath "$1")
broadcaster=$(realpath "$2")
work=$3
program_class=$(basename "$program")

fail() {
  echo "FAIL: $*"
  exit 1
}
pass() { echo "ok: $*"; }

mkdir -p "$work" || fail "cannot create $work"
work=$(realpath "$work")
# Every step is traced to a file, for when a check fails.
exec 19>"$work/trace.log"
BASH_XTRACEFD=19
set -x

xvfb_pid=""
trayer_pid=""
program_pid=""
cleanup() {
  [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null
  [[ -n ${WINEPREFIX:-} ]] && wineserver -k >/dev/null 2>&1
  [[ -n $trayer_pid ]] && kill "$trayer_pid" 2>/dev/null
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

# Polls a command every 0.1 s until it succeeds or the seconds run out.
wait_for() {
  local seconds=$1
  shift
  local tries=$((seconds * 10))
  while ((tries-- > 0)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

free_display() {
  local n
  for n in $(seq 60 199); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] || {
      echo "$n"
      return 0
    }
  done
  return 1
}

start_display() {
  local n
  n=$(free_display) || fail "no free display number"
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  wait_for 10 xwininfo -root >/dev/null 2>&1 || fail "Xvfb did not start on :$n"
}

start_trayer() {
  trayer --edge top --align right --widthtype request --height 24 --transparent false \
    >>"$work/trayer.log" 2>&1 &
  trayer_pid=$!
  wait_for 10 panel_id >/dev/null || fail "trayer did not start"
}

# trayer's window "panel" holds the docked icons: 2 pixels wide when empty.
panel_id() { xwininfo -root -tree 2>/dev/null | awk '/"panel": \("panel" "trayer"\)/ {print $1; exit}'; }
# xwininfo without a window waits for a click, so never call it without one.
panel_geometry() {
  local id
  id=$(panel_id)
  [[ -n $id ]] && xwininfo -id "$id" 2>/dev/null
}
panel_width() { panel_geometry | awk '/Width:/ {print $2}'; }
icon_docked() { [[ $(panel_width) -gt 2 ]]; }
icon_gone() { [[ $(panel_width) -eq 2 ]]; }
one_icon_docked() { [[ $(panel_width) -eq 22 ]]; }
docked_icon_window() {
  local id
  id=$(panel_id)
  [[ -n $id ]] && xwininfo -id "$id" -children 2>/dev/null | awk '/^ +0x/ {print $1; exit}'
}

click_icon() {
  local x y w h
  eval "$(panel_geometry | awk '/Absolute upper-left X:/ {print "x=" $4}
    /Absolute upper-left Y:/ {print "y=" $4} /Width:/ {print "w=" $2} /Height:/ {print "h=" $2}')"
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click "$1"
}

program_running() {
  local state
  state=$(ps -o stat= -p "$program_pid" 2>/dev/null)
  [[ -n $state && $state != Z* ]]
}
program_stopped() { ! program_running; }

visible_windows() { xdotool search --onlyvisible --classname "$program_class" 2>/dev/null | sort; }

# The menu is the program's one visible window that was not there before.
menu=""
find_menu() {
  menu=$(comm -13 <(echo "$before_menu") <(visible_windows) | head -n 1)
  [[ -n $menu ]]
}
menu_closed() { ! visible_windows | grep -qx "$menu"; }

open_menu() {
  before_menu=$(visible_windows)
  click_icon 3
  wait_for 5 find_menu || fail "a right click on the icon opened no menu ($1)"
}

start_wine() {
  export WINEPREFIX="$work/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv="
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  # The server first, so that Wine's background services do not hold the
  # caller's output open.
  wineserver -p </dev/null >/dev/null 2>&1
  wineboot -i </dev/null >"$work/wineboot.log" 2>&1
}

start_display
start_trayer
start_wine

wine "$program" </dev/null >"$work/program.log" 2>&1 &
program_pid=$!
docked_or_ended() { icon_docked || ! program_running; }
wait_for 20 docked_or_ended && icon_docked || {
  program_running || fail "the program did not start (see $work/program.log)"
  fail "the program runs but its icon did not dock into the tray"
}
pass "the icon docks into the tray"

open_menu "first"
sleep 0.3
import -window root "$work/menu.png"
eval "$(xwininfo -id "$menu" | awk '/Absolute upper-left X:/ {print "mx=" $4}
  /Absolute upper-left Y:/ {print "my=" $4} /Width:/ {print "mw=" $2} /Height:/ {print "mh=" $2}')"
convert-im6.q16 "$work/menu.png" -crop "${mw}x${mh}+${mx}+${my}" +repage "$work/menu_only.png"
((mh >= 40 && mw >= 60)) || fail "the menu is too small for three items and a separator (${mw}x${mh})"
pass "a right click opens the menu (${mw}x${mh}; screenshot $work/menu_only.png)"

xdotool key Escape
wait_for 3 menu_closed || fail "Escape did not close the menu"
pass "Escape closes the menu"

open_menu "second"
xdotool mousemove 640 600 click 1
wait_for 3 menu_closed || fail "a click elsewhere did not close the menu"
program_running || fail "the program ended after a click elsewhere"
pass "a click elsewhere closes the menu"

kill "$trayer_pid"
wait $trayer_pid 2>/dev/null
start_trayer
# Wine may dock the icon it still holds into the new tray by itself; the
# program's own answer to the broadcast shows as a new icon window.
wait_for 6 icon_docked
icon_before=$(docked_icon_window)
wine "$broadcaster" </dev/null >"$work/broadcaster.log" 2>&1 || fail "the broadcast failed"
icon_readded() { one_icon_docked && [[ $(docked_icon_window) != "$icon_before" ]]; }
wait_for 5 icon_readded || fail "the icon did not come back (once) after \"TaskbarCreated\""
open_menu "after the tray restarted"
xdotool key Escape
wait_for 3 menu_closed || fail "Escape did not close the menu after the tray restarted"
pass "after the tray host restarts, \"TaskbarCreated\" brings the icon back"

open_menu "for Exit"
xdotool key Up Return
exit_start=$(date +%s%N)
wait_for 3 program_stopped || fail "the program did not end after Exit"
exit_ms=$((($(date +%s%N) - exit_start) / 1000000))
icon_gone || fail "the icon was left in the tray after Exit"
((exit_ms <= 1000)) || fail "the program took ${exit_ms} ms to end after Exit"
program_pid=""
pass "Exit removes the icon and ends the program (${exit_ms} ms)"
echo "all tray checks passed"
