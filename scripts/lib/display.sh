# Sourced by the end-to-end tests of both programs, the benchmarks, run.sh
# and the package tests: a virtual display with a tray host, waiting for
# what a user would see, clicking the tray icon, screenshots.

# start_virtual_display [--no-tray]: Xvfb on a display it picks itself (so
# that runs at the same time never share one) and trayer on it as the tray
# host; exports DISPLAY and adds both to VIRTUAL_DISPLAY_PIDS. The screen is
# 1280 x 800 unless VIRTUAL_SCREEN gives another (WIDTHxHEIGHTxDEPTH).
# -noreset: left to itself, the server resets when its last client leaves,
# and drops a client that connects at that moment (a program started just as
# another ends, on a display without a tray host).
VIRTUAL_DISPLAY_PIDS=()
start_virtual_display() {
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${VIRTUAL_SCREEN:-1280x800x24}" -nolisten tcp -noreset 3>"$number_file" >/dev/null 2>&1 &
  VIRTUAL_DISPLAY_PIDS+=($!)
  for _ in $(seq 100); do [[ -s "$number_file" ]] && break; sleep 0.05; done
  export DISPLAY=":$(head -n 1 "$number_file")"
  rm -f "$number_file"
  [[ "${1:-}" == --no-tray ]] && return 0
  start_tray_host
}

# start_tray_host: trayer on DISPLAY, its process in TRAYER_PID and added to
# VIRTUAL_DISPLAY_PIDS.
start_tray_host() {
  trayer --edge top --align right --widthtype request --height 24 --transparent false >/dev/null 2>&1 &
  TRAYER_PID=$!
  VIRTUAL_DISPLAY_PIDS+=($TRAYER_PID)
  sleep 0.5
}

# stop_virtual_display: ends the tray host and Xvfb.
stop_virtual_display() {
  ((${#VIRTUAL_DISPLAY_PIDS[@]})) || return 0
  kill "${VIRTUAL_DISPLAY_PIDS[@]}" 2>/dev/null || true
}

# wait_until SECONDS COMMAND...: tries COMMAND every 0.1 s until it succeeds
# or SECONDS have passed; status 1 then. With WAIT_COUNTS_TRIES=1 it makes
# ten tries per second given instead, however long each takes: a slow
# COMMAND (a probe under Wine) so gets more than SECONDS.
WAIT_COUNTS_TRIES=${WAIT_COUNTS_TRIES:-0}
wait_until() {
  local tries=$(($1 * 10)) deadline=$(($(date +%s%N) + $1 * 1000000000))
  shift
  while ((WAIT_COUNTS_TRIES ? tries-- > 0 : $(date +%s%N) < deadline)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

screenshot() { import -window root "$1"; }  # FILE
pixel() { convert-im6.q16 "$1" -format "%[pixel:p{$2,$3}]" info:; }  # FILE X Y: as srgb(r,g,b)

# The one tray host on the display, and the width of its window, which
# grows when an icon docks: 2 pixels empty, 22 with one icon. (Readers of
# xwininfo read to its end: an awk that stopped at the first match would
# leave xwininfo to die of SIGPIPE and fail the pipeline.)
tray_panel_id() { xwininfo -root -tree 2>/dev/null | awk '!found && /"panel": \("panel" "trayer"\)/ {print $1; found = 1}'; }
tray_width() {
  local id
  id=$(tray_panel_id)
  [[ -n "$id" ]] && xwininfo -id "$id" | awk '/Width:/ {print $2}'
}
tray_has_icon() { (($(tray_width || echo 0) > 2)); }
tray_has_one_icon() { [[ "$(tray_width)" == 22 ]]; }
tray_empty() { [[ "$(tray_width)" == 2 ]]; }

# click_tray_icon BUTTON: clicks the middle of the docked icon, moving onto
# it from elsewhere: Wine does not take a click on a newly docked icon that
# the pointer never entered (it may still rest where an earlier one was).
# Status 1 without a tray host.
click_tray_icon() {
  local panel x y w h
  panel=$(tray_panel_id)
  [[ -n "$panel" ]] || { echo "trayer is not running" >&2; return 1; }
  eval "$(xwininfo -id "$panel" | awk '/Absolute upper-left X:/ {print "x=" $4}
    /Absolute upper-left Y:/ {print "y=" $4} /Width:/ {print "w=" $2} /Height:/ {print "h=" $2}')"
  xdotool mousemove 640 400 sleep 0.1 mousemove $((x + w / 2)) $((y + h / 2)) sleep 0.1 click "$1"
}
