#!/usr/bin/env bash
# Prints the native Linux program's figures on a virtual display with a tray
# host, one `name value` line each; figures, not pass/fail.
#   wakeups_per_s, cpu_percent, rss_mib, pss_mib: the panel hidden and the
#     user idle, over SECONDS_HIDDEN (default 60; the user stays under the
#     120 s that make a break, so the count runs);
#   reminder_*: the same during a reminder, from the first step of its slide
#     down to the last step of its slide up (reminder_window_s long);
#   floor_*: a Qt Widgets program with one hidden window and a tray icon,
#     measured like the hidden program, in its own turn;
#   reminder_floor_*: a Qt Widgets program that only shakes the logo as a
#     reminder does (same window, places, rate and pause), measured over a
#     window as long as the reminder's, in its own turn after it;
#   *qt_sharers: other processes that mapped Qt when memory was read (each
#     reading waits a while for none), load_average_5min: the machine's.
# Wake-ups are context switches, voluntary and involuntary, of all threads.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build/linux"
WORK="$BUILD/bench-run"
WINDOW=${SECONDS_HIDDEN:-60}
HIDDEN_TOP=-140

"$ROOT/scripts/setup.sh"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORBEL_TESTS=OFF -DQUORBEL_BENCH=ON >/dev/null
cmake --build "$BUILD" --target quorbel-clock quorbel-floor quorbel-shake-floor | grep -Ev '^\[[0-9]+/[0-9]+\] ' || true
rm -rf "$WORK" && mkdir -p "$WORK"
FLOOR="$BUILD/bench/quorbel-floor"
SHAKE_FLOOR="$BUILD/bench/quorbel-shake-floor"

source "$ROOT/scripts/lib/display.sh"
PIDS=()
alive() { [[ -e "/proc/$1/stat" && "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" != Z ]]; }
# stop: ends every process the run started, SIGKILL for one still there 5 s
# after SIGTERM.
stop() {
  local pid deadline=$((SECONDS + 5))
  for pid in "${PIDS[@]}" "${VIRTUAL_DISPLAY_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${PIDS[@]}" "${VIRTUAL_DISPLAY_PIDS[@]}"; do
    while alive "$pid" && ((SECONDS < deadline)); do sleep 0.1; done
    if alive "$pid"; then
      echo "bench_linux: process $pid still ran 5 s after SIGTERM" >&2
      kill -KILL "$pid" 2>/dev/null || true
    fi
  done
}
trap stop EXIT
trap "exit 130" INT
trap "exit 143" TERM
die() {
  echo "bench_linux: $*" >&2
  exit 1
}
figure() { printf '%s %s\n' "$1" "$2"; }

# wait_for SECONDS WHAT COMMAND...: COMMAND every 0.1 s until it succeeds;
# ends the run, naming WHAT, when SECONDS pass first.
wait_for() {
  local limit=$1 what=$2 deadline=$((SECONDS + $1))
  shift 2
  until "$@"; do
    ((SECONDS < deadline)) || die "no $what within $limit s"
    sleep 0.1
  done
}

# --- Readings of one process, taken with shell builtins only, so that a
# reading costs the machine little and lands close to its moment.

declare -A switches_seen=() switches_base=()
# read_thread_switches PID: each live thread's voluntary plus involuntary
# switches into switches_seen. A thread that ended keeps its last reading.
read_thread_switches() {
  local task lines i found n
  for task in /proc/"$1"/task/*; do
    mapfile -t lines 2>/dev/null <"$task/status" || continue
    n=0 found=0
    for ((i = ${#lines[@]} - 1; i >= 0 && found < 2; i--)); do
      case ${lines[i]} in
        voluntary_ctxt_switches:* | nonvoluntary_ctxt_switches:*)
          n=$((n + ${lines[i]##*[[:space:]]})) found=$((found + 1)) ;;
      esac
    done
    ((found == 2)) && switches_seen[${task##*/}]=$n
  done
  return 0
}

# read_cpu_ticks PID: user + system clock ticks of the whole process, ended
# threads included, into cpu_ticks.
read_cpu_ticks() {
  local stat fields
  read -r stat <"/proc/$1/stat"
  read -r -a fields <<<"${stat##*) }"
  cpu_ticks=$((fields[11] + fields[12]))
}

now_us() { now=${EPOCHREALTIME/[.,]/}; }

# open_window PID: a measuring window starts now.
open_window() {
  local tid
  switches_seen=() switches_base=()
  read_thread_switches "$1"
  for tid in "${!switches_seen[@]}"; do switches_base[$tid]=${switches_seen[$tid]}; done
  read_cpu_ticks "$1"
  window_ticks=$cpu_ticks
  now_us
  window_start_us=$now
}

# close_window PID PREFIX: ends the window and prints PREFIX wakeups_per_s
# and cpu_percent over it. Every thread counts up to its last reading, less
# what it had at the start (nothing when it began since).
close_window() {
  local tid switches=0
  read_thread_switches "$1"
  read_cpu_ticks "$1"
  now_us
  window_us=$((now - window_start_us))
  for tid in "${!switches_seen[@]}"; do
    switches=$((switches + switches_seen[$tid] - ${switches_base[$tid]:-0}))
  done
  awk -v n="$switches" -v t=$((cpu_ticks - window_ticks)) -v us="$window_us" -v hz="$(getconf CLK_TCK)" \
    -v p="$2" 'BEGIN {printf "%swakeups_per_s %.2f\n%scpu_percent %.3f\n", p, n * 1e6 / us, p, 100 * t / hz * 1e6 / us}'
}

# qt_sharers PID: how many other processes map Qt's core library now. PSS
# splits a page among all that map it, so other Qt programs on the machine
# (other builds' tests) would lower it.
qt_sharers() {
  grep -l 'libQt6Core\.so' /proc/[0-9]*/maps 2>/dev/null | grep -vcx "/proc/$1/maps" || true
}

# memory_lines PID PREFIX SHARERS: resident and proportional memory now,
# and how many Qt processes shared it.
memory_lines() {
  awk -v p="$2" '/^Rss:/ {printf "%srss_mib %.1f\n", p, $2 / 1024} /^Pss:/ {printf "%spss_mib %.1f\n", p, $2 / 1024}' \
    "/proc/$1/smaps_rollup"
  figure "${2}qt_sharers" "$3"
}

# print_memory_alone PID PREFIX: memory_lines at the first moment within
# 60 s when no other process maps Qt, or at their end.
print_memory_alone() {
  local deadline=$((SECONDS + 60)) sharers
  while sharers=$(qt_sharers "$1") && ((sharers > 0 && SECONDS < deadline)); do sleep 0.5; done
  memory_lines "$1" "$2" "$sharers"
}

# end_process PID WHAT: SIGTERM, then waits until it is gone.
end_process() {
  kill "$1" 2>/dev/null || true
  wait_for 5 "end of $2 after SIGTERM" eval "! alive $1"
}

# --- The program's panel on the display.

panel_window() {
  xwininfo -root -tree 2>/dev/null |
    awk '!found && index($0, "\"Quorbel Alarm Clock\"") && / 450x140\+/ {print $1; found = 1}'
}
panel_exists() { [[ -n "$(panel_window)" ]]; }
panel_hidden() { [[ "$(xwininfo -id "$panel" 2>/dev/null | awk '/Absolute upper-left Y:/ {print $4}')" == "$HIDDEN_TOP" ]]; }

# start_program HOME HOURS MINUTES: the program in a home of its own whose
# settings hold that interval; waits until its panel has risen after start.
start_program() {
  local home=$1
  mkdir -p "$home/config/quorbel-clock" "$home/runtime" && chmod 700 "$home/runtime"
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\QuorbelClock]\n"Autorun"=dword:00000001\n"Hours"=dword:%08x\n"Minutes"=dword:%08x\n' \
    "$2" "$3" >"$home/config/quorbel-clock/settings.reg"
  env -u DBUS_SESSION_BUS_ADDRESS HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime" \
    "$BUILD/bin/quorbel-clock" </dev/null >"$home/program.log" 2>&1 &
  program=$!
  PIDS+=("$program")
  wait_for 10 "panel window of the program" panel_exists
  panel=$(panel_window)
  wait_for 10 "rise of the panel after start" panel_hidden
}

# watch_panel: the panel's moves, as xev reports them, on descriptor `moves`.
watch_panel() {
  exec {moves}< <(exec stdbuf -oL xev -id "$panel" -event structure)
  watcher=$!
  PIDS+=("$watcher")
}
unwatch_panel() {
  kill "$watcher" 2>/dev/null || true
  exec {moves}<&-
  unset moves
}

# next_top SECONDS: the panel's next top edge into `top`; status 1 when
# none came within SECONDS. Ends the run when the panel window went away.
next_top() {
  local line status
  while :; do
    read -r -t "$1" -u "$moves" line || {
      status=$?
      ((status > 128)) && return 1
      die "xev, which watched the panel, ended"
    }
    [[ "$line" != DestroyNotify* ]] || die "the panel window was destroyed"
    if [[ "$line" =~ \((-?[0-9]+),(-?[0-9]+)\),\ width ]]; then
      top=${BASH_REMATCH[2]}
      return 0
    fi
  done
}

# measure_quiet PID PREFIX: the window of SECONDS_HIDDEN while PID sleeps.
# Threads are read twice a second, so one that ends inside counts up to its
# last half second (Qt's pooled workers, which end after 30 s unused, do
# nothing then). With a panel watched, it must stay hidden throughout.
measure_quiet() {
  local deadline
  open_window "$1"
  deadline=$((window_start_us + WINDOW * 1000000))
  while now_us && ((now < deadline)); do
    if [[ -z "${moves:-}" ]]; then
      sleep 0.5
    elif next_top 0.5; then
      [[ "$top" == "$HIDDEN_TOP" ]] || die "the panel came down (top $top) while the hidden program was measured"
    fi
    read_thread_switches "$1"
  done
  close_window "$1" "$2"
}

# --- Hidden, the user idle: no input at all on a display started anew, so
# its idle time stays under 120 s until the window ends.

start_virtual_display
start_program "$WORK/hidden" 1 0
watch_panel
sleep 2  # start-up's last work is done
measure_quiet "$program" ""
idle_ms=$(xprintidle)
((idle_ms < 120000)) || die "the X server's idle time reached $idle_ms ms: a break began inside the window"
print_memory_alone "$program" ""
unwatch_panel
end_process "$program" "the hidden program"

# --- The floor, in its turn: the program's pages are no longer shared.

wait_for 10 "empty tray after the program ended" tray_empty
"$FLOOR" </dev/null >"$WORK/floor.log" 2>&1 &
floor=$!
PIDS+=("$floor")
wait_for 10 "tray icon of the floor program" tray_has_icon
sleep 2
measure_quiet "$floor" floor_
print_memory_alone "$floor" floor_
end_process "$floor" "the floor program"

# --- A reminder: 0 h 1 min and a user at work (the pointer moves every
# 200 ms, away from the panel), so it comes a minute after start.

(
  while :; do xdotool mousemove_relative -- 3 0 sleep 0.1 mousemove_relative -- -3 0 sleep 0.1 || true; done
) >/dev/null 2>&1 &
PIDS+=($!)
wait_for 10 "empty tray after the floor program ended" tray_empty
start_program "$WORK/reminder" 0 1
watch_panel
started=$SECONDS
until next_top 1 && [[ "$top" != "$HIDDEN_TOP" ]]; do
  ((SECONDS - started < 90)) || die "no reminder within 90 s of start (X idle $(xprintidle) ms)"
done
# The panel shows from its first step down; read right after it, as after
# its last step up, so that neither its drawing while hidden nor the time
# after it rose counts. Threads are read on every step and twice a second
# during the hold; memory once in the hold, when no other Qt process runs,
# at its end at the latest.
open_window "$program"
arrived=0 memory=
while :; do
  if next_top 0.5; then
    [[ "$top" == 0 ]] && arrived=1
    [[ "$top" == "$HIDDEN_TOP" ]] && break
  fi
  if ((arrived)) && [[ -z "$memory" ]]; then
    sharers=$(qt_sharers "$program")
    ((sharers > 0 && top == 0)) || memory=$(memory_lines "$program" reminder_ "$sharers")
  fi
  read_thread_switches "$program"
  now_us
  ((now - window_start_us < 30000000)) || die "the panel did not rise again within 30 s of its first step down"
done
((arrived)) || die "the panel rose again before it reached the top edge"
close_window "$program" reminder_
echo "$memory"
reminder_us=$window_us
figure reminder_window_s "$(awk -v us="$reminder_us" 'BEGIN {printf "%.2f", us / 1e6}')"
unwatch_panel
end_process "$program" "the reminding program"

# --- The shake's floor, in its turn, with the pointer still moving: a
# window as long as the reminder's, from 1 s after its window appeared.

shake_floor_exists() { xwininfo -root -tree 2>/dev/null | grep -q '"Quorbel shake floor"'; }
"$SHAKE_FLOOR" "$BUILD/bin/logo.png" </dev/null >"$WORK/shake_floor.log" 2>&1 &
shake_floor=$!
PIDS+=("$shake_floor")
wait_for 10 "window of the shake floor program" shake_floor_exists
sleep 1
open_window "$shake_floor"
deadline=$((window_start_us + reminder_us))
while now_us && ((now < deadline)); do
  sleep 0.5
  read_thread_switches "$shake_floor"
done
close_window "$shake_floor" reminder_floor_
end_process "$shake_floor" "the shake floor program"
figure load_average_5min "$(awk '{print $2}' /proc/loadavg)"
