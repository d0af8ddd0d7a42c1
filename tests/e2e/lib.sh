# Shared steps of the end-to-end tests: a virtual display with a tray host and
# no window manager, a ready Wine prefix, a scratch copy of the installed
# program, and ways to look at it as a user would.
set -euo pipefail

: "${QUORBEL_BUILD_DIR:?the Windows build directory}"
: "${QUORBEL_SOURCE_DIR:?the source directory}"
source "$QUORBEL_SOURCE_DIR/scripts/wine_env.sh"

E2E_NAME=$(basename "$0" .sh)
E2E_DIR="$QUORBEL_BUILD_DIR/e2e/$E2E_NAME"
PROBE="$QUORBEL_BUILD_DIR/tests/e2e/quorbel_probe.exe"
E2E_PIDS=()

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

note() { echo "-- $*"; }

# own_pids PATTERN: processes matching PATTERN that run in this test's Wine
# prefix. Other test runs share the machine; their programs are not ours.
own_pids() {
  local pid
  for pid in $(pgrep -f "$1" || true); do
    if tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=${WINEPREFIX:-}"; then
      echo "$pid"
    fi
  done
}

# stop_program: ends every instance of the program started by this test.
stop_program() {
  local pids
  pids=$(own_pids 'QuorbelClock.exe')
  [[ -z "$pids" ]] || kill -CONT $pids 2>/dev/null || true
  [[ -z "$pids" ]] || kill $pids 2>/dev/null || true
}

cleanup() {
  local status=$?
  stop_program
  local probes
  probes=$(own_pids 'quorbel_probe.exe')
  [[ -z "$probes" ]] || kill $probes 2>/dev/null || true
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  exit "$status"
}
trap cleanup EXIT

# Starts Xvfb on a free display and trayer on it.
start_display() {
  local number=60
  while [[ -e /tmp/.X11-unix/X$number || -e /tmp/.X$number-lock ]]; do number=$((number + 1)); done
  Xvfb ":$number" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  E2E_PIDS+=($!)
  export DISPLAY=":$number"
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
  xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start on $DISPLAY"
  start_tray_host
}

start_tray_host() {
  trayer --edge top --align right --widthtype request --height 24 --transparent false \
    >/dev/null 2>&1 &
  TRAYER_PID=$!
  E2E_PIDS+=($TRAYER_PID)
  sleep 0.3
}

# Makes a scratch copy of the program with its data files, and clears every
# setting the program keeps, so each test starts as a first run.
install_program() {
  rm -rf "$E2E_DIR"
  mkdir -p "$E2E_DIR"
  cp -r "$QUORBEL_BUILD_DIR/bin/." "$E2E_DIR/"
  prepare_wine_prefix "$QUORBEL_BUILD_DIR/wineprefix"
  wine reg delete 'HKCU\Software\QuorbelClock' /f >/dev/null 2>&1 || true
  wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' /v Clock /f >/dev/null 2>&1 || true
  wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Clock /f >/dev/null 2>&1 || true
  PROGRAM="$E2E_DIR/QuorbelClock.exe"
}

# launch [ARGS...]: starts the program in the background.
launch() {
  (cd "$E2E_DIR" && exec wine "$PROGRAM" "$@" </dev/null >/dev/null 2>&1) &
  PROGRAM_PID=$!
  E2E_PIDS+=($PROGRAM_PID)
}

probe() { wine "$PROBE" "$@" </dev/null 2>/dev/null | tr -d '\r'; }

# wait_for_panel SECONDS: waits until the panel window exists.
wait_for_panel() {
  local deadline=$((SECONDS + $1))
  while ((SECONDS < deadline)); do
    probe panel >/dev/null && return 0
    sleep 0.2
  done
  fail "the program did not show its panel window within $1 s"
}

# panel_field NAME: one field (top, left, topmost ...) of the panel window.
panel_field() { probe panel | tr ' ' '\n' | sed -n "s/^$1=//p"; }

program_count() { own_pids 'QuorbelClock.exe' | wc -l; }

reg_value() {  # KEY NAME: the value's data as `wine reg query` prints it
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v name="$2" '$1 == name {print $3}'
}

# tray_width: width of trayer's window, which grows when an icon docks.
tray_width() {
  xwininfo -root -tree 2>/dev/null | awk '/"panel"/ {for (i = 1; i <= NF; i++) if ($i ~ /^[0-9]+x[0-9]+\+/) {split($i, a, "x"); print a[1]; exit}}'
}

screenshot() {  # FILE
  import -window root "$1"
}

pixel() {  # FILE X Y: the pixel as srgb(r,g,b)
  convert-im6.q16 "$1" -format "%[pixel:p{$2,$3}]" info:
}
