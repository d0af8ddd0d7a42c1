#!/usr/bin/env bash
# Installs what is missing, builds the native Linux program and starts it.
# Without a display it runs the program on a virtual one, opens its settings
# from the tray menu as a user would, and saves a screenshot.
#   --windows: the Windows program under Wine instead.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
WINDOWS=0
case "${1:-}" in
  "") ;;
  --windows) WINDOWS=1 ;;
  *) echo "usage: $0 [--windows]" >&2; exit 2 ;;
esac

"$ROOT/scripts/setup.sh"
source "$ROOT/scripts/lib/display.sh"
source "$ROOT/scripts/lib/wine.sh"

if ((WINDOWS)); then
  BUILD="$ROOT/build/win"
  SHOT="$ROOT/build/screenshot.png"
  export WINEPREFIX="$BUILD/wineprefix"
  echo "== building QuorbelClock.exe"
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$BUILD" --target QuorbelClock | grep -Ev '^\[[0-9]+/[0-9]+\] ' || true
else
  BUILD="$ROOT/build/linux"
  SHOT="$ROOT/build/screenshot-linux.png"
  echo "== building quorbel-clock"
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORBEL_TESTS=OFF >/dev/null
  cmake --build "$BUILD" --target quorbel-clock quorbel-preview | grep -Ev '^\[[0-9]+/[0-9]+\] ' || true
fi

# start_program: the program in the background, leaving no trace of the
# demonstration behind: the Linux program in a home of its own (no autostart
# entry), the Windows one in the build's own Wine prefix.
start_program() {
  if ((WINDOWS)); then
    # A Wine server keeps the screen size of the display it started on.
    stop_wine_server
    prepare_wine_prefix "$BUILD/wineprefix"
    (cd "$BUILD/bin" && exec wine ./QuorbelClock.exe </dev/null >/dev/null 2>&1) &
  else
    local demo="$BUILD/demo-home"
    rm -rf "$demo" && mkdir -p "$demo/runtime" && chmod 700 "$demo/runtime"
    HOME="$demo" XDG_CONFIG_HOME="$demo/config" XDG_RUNTIME_DIR="$demo/runtime" \
      "$BUILD/bin/quorbel-clock" </dev/null >/dev/null 2>&1 &
  fi
  PROGRAM=$!
}

if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1 || [[ -n "${WAYLAND_DISPLAY:-}" && $WINDOWS == 0 ]]; then
  echo "== starting Quorbel Alarm Clock (its icon is in the notification area)"
  if ((WINDOWS)); then
    prepare_wine_prefix "$BUILD/wineprefix"
    cd "$BUILD/bin" && exec wine ./QuorbelClock.exe
  fi
  exec "$BUILD/bin/quorbel-clock"
fi

echo "== no display found: running the program on a virtual display"
stop() {
  [[ -n "${PROGRAM:-}" ]] && kill "$PROGRAM" 2>/dev/null
  ((WINDOWS)) && stop_wine_server
  stop_virtual_display
}
trap stop EXIT
start_virtual_display
start_program
sleep 4

# Right-click the tray icon and choose Setting: the panel comes down and the
# settings dialog opens.
if click_tray_icon 3; then
  sleep 1
  xdotool key Down Return
  sleep 2
fi
screenshot "$SHOT"
echo "== screenshot of the running program saved to $SHOT"
