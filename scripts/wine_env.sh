# Sourced by the scripts: a Wine prefix of the build's own, quiet, with no
# Mono or Gecko prompts and no audio drivers.
QUORBEL_ROOT=${QUORBEL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv="

# prepare_wine_prefix DIR: makes DIR a ready Wine prefix with the font
# replacements GDI+ needs, and keeps its server alive.
prepare_wine_prefix() {
  export WINEPREFIX=$1
  if [[ ! -f "$WINEPREFIX/.quorbel-ready" ]]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1 || true
    local key='HKCU\Software\Wine\Fonts\Replacements'
    wine reg add "$key" /v Verdana /d "DejaVu Sans" /f </dev/null >/dev/null 2>&1
    wine reg add "$key" /v Tahoma /d "DejaVu Sans" /f </dev/null >/dev/null 2>&1
    for font in Arial "Microsoft Sans Serif" "MS Sans Serif"; do
      wine reg add "$key" /v "$font" /d "Liberation Sans" /f </dev/null >/dev/null 2>&1
    done
    wineserver -w
    touch "$WINEPREFIX/.quorbel-ready"
  fi
  # Started here, not by ctest: Wine's services would inherit ctest's output
  # pipe and keep it open for ever.
  wineserver -p </dev/null >/dev/null 2>&1 || true  # 2: already running
  wineboot </dev/null >/dev/null 2>&1 || true
}

# start_virtual_display [--no-tray]: Xvfb on a display it picks itself (so
# that runs at the same time never share one) and trayer on it as the tray
# host; exports DISPLAY and adds both to VIRTUAL_DISPLAY_PIDS.
VIRTUAL_DISPLAY_PIDS=()
start_virtual_display() {
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
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
