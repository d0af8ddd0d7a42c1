#!/usr/bin/env bash
# Prints the native Linux program's figures while its panel is hidden, on a
# virtual display with a tray host and no input: wake-ups (context switches
# of all its threads) per second, CPU, resident and proportional memory.
# One `name value` line each; figures, not pass/fail.
#   SECONDS_HIDDEN: the measuring window (default 60)
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build/linux"
WINDOW=${SECONDS_HIDDEN:-60}

"$ROOT/scripts/setup.sh"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORBEL_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target quorbel-clock | grep -Ev '^\[[0-9]+/[0-9]+\] ' || true

source "$ROOT/scripts/wine_env.sh"  # start_virtual_display
stop() {
  [[ -n "${program:-}" ]] && kill "$program" 2>/dev/null
  kill "${VIRTUAL_DISPLAY_PIDS[@]}" 2>/dev/null || true
}
trap stop EXIT
start_virtual_display
home="$BUILD/bench-home"
rm -rf "$home" && mkdir -p "$home/runtime" && chmod 700 "$home/runtime"
HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime" \
  "$BUILD/bin/quorbel-clock" </dev/null >/dev/null 2>&1 &
program=$!
sleep 5  # start-up and the rise are over

switches() {  # "thread switches" for every thread: voluntary plus involuntary
  local task
  for task in /proc/"$program"/task/*; do
    awk -v tid="${task##*/}" '/ctxt_switches/ {n += $2} END {print tid, n}' "$task/status" 2>/dev/null || true
  done
}
cpu_ticks() { awk '{print $14 + $15}' "/proc/$program/stat"; }

switches_before=$(switches)
ticks_before=$(cpu_ticks)
sleep "$WINDOW"
switches_after=$(switches)
ticks_after=$(cpu_ticks)
kill -0 "$program" 2>/dev/null || { echo "the program ended during the measurement" >&2; exit 1; }

# A thread that ended in the window is lost; one that began counts whole.
awk -v s="$WINDOW" 'NR == FNR {before[$1] = $2; next} {n += $2 - before[$1]}
  END {printf "hidden_wakeups_per_s %.2f\n", n / s}' <(echo "$switches_before") <(echo "$switches_after")
awk -v t=$((ticks_after - ticks_before)) -v s="$WINDOW" -v hz="$(getconf CLK_TCK)" \
  'BEGIN {printf "hidden_cpu_percent %.3f\n", 100 * t / hz / s}'
awk '/^Rss:/ {printf "rss_mib %.1f\n", $2 / 1024} /^Pss:/ {printf "pss_mib %.1f\n", $2 / 1024}' \
  "/proc/$program/smaps_rollup"
