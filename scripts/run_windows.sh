#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine (run.sh --windows, after
# the setup). Without a display it runs the program on a virtual one, opens
# its settings from the tray menu as a user would, and saves a screenshot.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build/win"

source "$ROOT/scripts/wine_env.sh"

echo "== building QuorbelClock.exe"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$BUILD" --target QuorbelClock | grep -Ev '^\[[0-9]+/[0-9]+\] ' || true
prepare_wine_prefix "$BUILD/wineprefix"

if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  echo "== starting Quorbel Alarm Clock on $DISPLAY (its icon is in the notification area)"
  cd "$BUILD/bin"
  exec wine ./QuorbelClock.exe
fi

echo "== no display found: running the program on a virtual display"
stop() {
  wineserver -k 2>/dev/null || true
  kill "${VIRTUAL_DISPLAY_PIDS[@]}" 2>/dev/null || true
}
trap stop EXIT
start_virtual_display
# A Wine server keeps the screen size of the display it started on.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
prepare_wine_prefix "$BUILD/wineprefix"
(cd "$BUILD/bin" && exec wine ./QuorbelClock.exe </dev/null >/dev/null 2>&1) &
sleep 4

# Right-click the tray icon and choose Setting: the panel comes down and the
# settings dialog opens.
read -r tray_x tray_y < <(xwininfo -root -tree | awk '/"panel"/ {for (i = 1; i <= NF; i++) if ($i ~ /^[0-9]+x[0-9]+\+/) {split($i, a, "[x+]"); print a[3] + a[1] - 11, a[4] + 12; exit}}')
if [[ -n "${tray_x:-}" ]]; then
  xdotool mousemove "$tray_x" "$tray_y" click 3
  sleep 1
  xdotool key Down Return
  sleep 2
fi
shot="$ROOT/build/screenshot.png"
import -window root "$shot"
echo "== screenshot of the running program saved to $shot"
