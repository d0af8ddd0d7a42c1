#!/usr/bin/env bash
# Prints the program's figures under Wine on a virtual display: start-up time
# to the visible panel, CPU use while hidden and while a reminder shows, its
# own private memory, and the medians of DrawPanel and PresentPanel.
#
# Private memory is what Windows counts as a process's private bytes: its
# anonymous pages (heaps, stacks, written data, the DIB sections), swapped
# out or not, read 22 s after the window appeared, for the program and its
# floor alike. Pages of DLLs, fonts and the executable that it only reads
# are left out: whether they count as private depends on which other Wine
# processes on the machine map the same files at that moment (another copy
# of the program, a test beside the bench), which moved the old figure by
# 2 MiB from run to run. `unshared_mib` is that old figure, for comparison.
# Figures, not pass/fail: the README records them.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build/win"
WORK="$BUILD/bench-run"

"$ROOT/scripts/setup.sh"
source "$ROOT/scripts/lib/display.sh"
source "$ROOT/scripts/lib/wine.sh"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" -DQUORBEL_BENCH=ON >/dev/null
cmake --build "$BUILD" --target QuorbelClock panel_bench quorbel_probe | grep -Ev '^\[[0-9]+/[0-9]+\] ' || true

stop() {
  stop_wine_server
  stop_virtual_display
}
trap stop EXIT
die() {
  echo "bench: $*" >&2
  exit 1
}
start_virtual_display
# A session that starts no copy of the program on its own: one that an
# autostart entry started would be measured instead, with settings it read
# before ours were stored.
start_clean_wine_session "$BUILD/wineprefix" || die "no clean Wine session"
rm -rf "$WORK" && mkdir -p "$WORK" && cp -r "$BUILD/bin/." "$WORK/"
PROBE="$BUILD/tests/e2e/quorbel_probe.exe"
settings='HKCU\Software\QuorbelClock'
wine reg add "$settings" /v Autorun /t REG_DWORD /d 1 /f </dev/null >/dev/null 2>&1
wine reg add "$settings" /v Hours /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
wine reg add "$settings" /v Minutes /t REG_DWORD /d 1 /f </dev/null >/dev/null 2>&1

cpu_ticks() {  # PID: user + system clock ticks so far
  awk '{print $14 + $15}' "/proc/$1/stat"
}
cpu_percent() {  # PID SECONDS
  local before after
  before=$(cpu_ticks "$1")
  sleep "$2"
  after=$(cpu_ticks "$1")
  awk -v d=$((after - before)) -v s="$2" -v hz="$(getconf CLK_TCK)" 'BEGIN {printf "%.1f %% of one core", 100 * d / hz / s}'
}

# Keeps the last-input clock fresh, as a working user does, and logs every
# read of a last-input stamp later than the tick count.
wine "$PROBE" input-window 200 </dev/null >/dev/null 2>&1 &
VIRTUAL_DISPLAY_PIDS+=($!)
sleep 1
( for i in $(seq 1000); do xdotool mousemove $((100 + i % 40)) $((400 + i % 7)); sleep 0.2; done ) >/dev/null 2>&1 &
VIRTUAL_DISPLAY_PIDS+=($!)
stamp_log="$WORK/stamp_ahead.log"
wine "$PROBE" stamp-ahead 200000 </dev/null >"$stamp_log" 2>/dev/null &
stamp_watch=$!
VIRTUAL_DISPLAY_PIDS+=($stamp_watch)
input_clock_moves "$PROBE" ||
  die "Wine's last-input clock does not move although the pointer moves over a Wine window: no reminder would come"

[[ -z "$(own_programs)" ]] || die "a copy of the program runs before the bench starts it: $(own_programs | tr '\n' ' ')"
# Through a file: the program inherits the probe's output and would hold a
# pipe open for as long as it runs.
(cd "$WORK" && wine "$PROBE" startup-time 'QuorbelClock.exe' </dev/null >"$WORK/startup_ms.txt" 2>/dev/null) ||
  die "the program showed no panel within 10 s"
startup_ms=$(tr -d '\r' <"$WORK/startup_ms.txt")
sleep 2
program=$(own_programs)
[[ $(wc -w <<<"$program") -eq 1 ]] || die "one start left $(wc -w <<<"$program") instances of the program"
# Other runs' servers on the machine are passed over; the loop must not end
# the script (set -e) when the last one it reads is not ours.
server=$(for pid in $(pgrep wineserver); do
  if tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX"; then echo "$pid"; fi
done | head -1)
[[ -n "$server" ]] || die "no Wine server of $WINEPREFIX runs"

# private_kb PID: anonymous KiB, resident or swapped. unshared_kb PID: KiB
# that no other process maps now.
private_kb() { awk '/^(Anonymous|Swap):/ {sum += $2} END {print sum}' "/proc/$1/smaps_rollup"; }
unshared_kb() { awk '/^Private_(Clean|Dirty):/ {sum += $2} END {print sum}' "/proc/$1/smaps_rollup"; }
SETTLE_S=22  # from the window's appearance to the memory reading

hidden_program=$(cpu_percent "$program" $((SETTLE_S - 2)))
private_kb=$(private_kb "$program")
unshared_kb=$(unshared_kb "$program")
# The first reminder comes a minute after start-up; measure inside its hold.
reminder_due=$((SECONDS + 90))
while [[ "$(wine "$PROBE" panel </dev/null 2>/dev/null | tr ' ' '\n' | sed -n 's/^top=//p' | tr -d '\r')" != 0 ]]; do
  ((SECONDS < reminder_due)) ||
    die "no reminder within 90 s of the measure while hidden (cause: $(reminder_blockers "$PROBE" "$program" "$stamp_log"))"
  sleep 0.2
done
# Its reads cost Wine's server what the figures below measure.
kill "$stamp_watch" 2>/dev/null || true
sleep 1
server_before=$(cpu_ticks "$server")
showing_program=$(cpu_percent "$program" 7)
server_after=$(cpu_ticks "$server")
showing_server=$(awk -v d=$((server_after - server_before)) -v hz="$(getconf CLK_TCK)" 'BEGIN {printf "%.1f %% of one core", 100 * d / hz / 7}')

echo "start-up to visible panel: ${startup_ms} ms"
echo "CPU while hidden: $hidden_program (program)"
echo "CPU while a reminder shows: $showing_program (program), $showing_server (wineserver)"
echo "private memory of the program's own process: $((private_kb / 1024)) MiB (${private_kb} KiB)"

# The same figures as `name value` lines, beside the memory floor Wine itself
# sets: a program with one window and a message loop, under this Wine now.
figure() {  # NAME VALUE
  printf '%s %s\n' "$1" "$2"
}
prefix_pids() {  # EXE-NAME: its processes under this run's Wine prefix
  local pid
  for pid in $(pgrep -f "$1"); do
    [[ "$(cat "/proc/$pid/comm" 2>/dev/null)" == "${1:0:15}" ]] || continue
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
}
floor_memory_kb() {  # the floor program's private and unshared KiB, SETTLE_S after it appears
  local pid= kb="0 0"
  cmake --build "$BUILD" --target floor_program >/dev/null
  wine "$BUILD/bench/QuorbelFloor.exe" $((SETTLE_S + 3)) </dev/null >/dev/null 2>&1 &
  for _ in $(seq 100); do pid=$(prefix_pids QuorbelFloor.exe | head -1) && [[ -n "$pid" ]] && break; sleep 0.1; done
  sleep "$SETTLE_S"
  [[ -n "$pid" ]] && kb="$(private_kb "$pid") $(unshared_kb "$pid")"
  for _ in $(seq 150); do [[ -z "$(prefix_pids QuorbelFloor.exe)" ]] && break; sleep 0.1; done  # it ends itself
  echo "$kb"
}
read -r floor_kb floor_unshared_kb < <(floor_memory_kb)
figure hidden_cpu_percent "${hidden_program%% *}"
figure reminder_cpu_percent "${showing_program%% *}"
figure reminder_server_cpu_percent "${showing_server%% *}"
figure private_mib "$(awk -v k="$private_kb" 'BEGIN {printf "%.1f", k / 1024}')"
figure private_floor_mib "$(awk -v k="$floor_kb" 'BEGIN {printf "%.1f", k / 1024}')"
figure unshared_mib "$(awk -v k="$unshared_kb" 'BEGIN {printf "%.1f", k / 1024}')"
figure unshared_floor_mib "$(awk -v k="$floor_unshared_kb" 'BEGIN {printf "%.1f", k / 1024}')"
echo "last-input stamps later than the tick count while the user worked: $(stamps_ahead "$stamp_log")"
# The program's first run wrote an autostart entry: the benchmark's session
# must not start it.
start_clean_wine_session "$BUILD/wineprefix" || die "no clean Wine session for the drawing figures"
(cd "$WORK" && wine "$BUILD/bench/QuorbelBench.exe" </dev/null 2>/dev/null | tr -d '\r')
