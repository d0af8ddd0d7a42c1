# Sourced by the scripts that run the Windows program: a Wine prefix of the
# build's own, quiet, with no Mono or Gecko prompts and no audio drivers; the
# program's processes in it; why a reminder under Wine may stay away. The
# virtual display is display.sh's.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv="

# prepare_wine_prefix DIR: makes DIR a ready Wine prefix with the font
# replacements GDI+ needs, and keeps its server alive.
# Wine takes absolute prefixes only; the prefix counts as ready only once
# every replacement is in.
prepare_wine_prefix() {
  export WINEPREFIX
  WINEPREFIX=$(realpath -m "$1")
  if [[ ! -f "$WINEPREFIX/.quorbel-ready" ]]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1 || true
    local key='HKCU\Software\Wine\Fonts\Replacements' added=1
    wine reg add "$key" /v Verdana /d "DejaVu Sans" /f </dev/null >/dev/null 2>&1 || added=0
    wine reg add "$key" /v Tahoma /d "DejaVu Sans" /f </dev/null >/dev/null 2>&1 || added=0
    for font in Arial "Microsoft Sans Serif" "MS Sans Serif"; do
      wine reg add "$key" /v "$font" /d "Liberation Sans" /f </dev/null >/dev/null 2>&1 || added=0
    done
    wineserver -w
    ((added)) && touch "$WINEPREFIX/.quorbel-ready"
  fi
  # Started here, not by ctest: Wine's services would inherit ctest's output
  # pipe and keep it open for ever.
  wineserver -p </dev/null >/dev/null 2>&1 || true  # 2: already running
  wineboot </dev/null >/dev/null 2>&1 || true
}

# stop_wine_server: ends the server of WINEPREFIX with every process of the
# prefix, and takes the program's autostart entries out of the registry files
# the server leaves. Edited while no server runs: a running one would write
# its own copy back, and the first client of a new one runs wineboot, which
# starts whatever the Run keys name (a `wine reg delete` races with it).
stop_wine_server() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  wineserver -w </dev/null >/dev/null 2>&1 || true  # only after -k: it waits for a persistent server
  local file
  for file in "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg"; do
    [[ -f "$file" ]] || continue
    awk '/^\[/ {run = /\\\\CurrentVersion\\\\Run\]/} !(run && /^"Clock"=/)' "$file" >"$file.new" &&
      mv "$file.new" "$file"
  done
}

# start_clean_wine_session DIR: prepare_wine_prefix DIR in a new server
# session that starts no copy of the program on its own: an instance started
# from an autostart entry would hold the single-instance lock before ours,
# with the settings it read before we stored ours.
start_clean_wine_session() {
  export WINEPREFIX
  WINEPREFIX=$(realpath -m "$1")
  stop_wine_server
  prepare_wine_prefix "$WINEPREFIX"
  if wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' /v Clock </dev/null >/dev/null 2>&1 ||
     wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Clock </dev/null >/dev/null 2>&1; then
    echo "an autostart entry of the program is still in $WINEPREFIX" >&2
    return 1
  fi
  [[ -z "$(own_programs)" ]] || { echo "the new Wine session started the program on its own" >&2; return 1; }
}

# own_programs: the processes of the program that run in WINEPREFIX, one pid
# a line. Other runs on the machine use prefixes of their own; a wrapper
# whose command line names the program (timeout, a shell) is not one.
own_programs() {
  local pid
  for pid in $(pgrep -f 'QuorbelClock\.exe' || true); do
    [[ "$(cat "/proc/$pid/comm" 2>/dev/null)" == QuorbelClock* ]] || continue
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=${WINEPREFIX:-}" && echo "$pid"
  done
  return 0
}

# input_stamp PROBE: the last-input stamp (GetLastInputInfo) as a Windows
# process of WINEPREFIX reads it.
input_stamp() { wine "$1" input-clock </dev/null 2>/dev/null | tr -d '\r' | sed -n 's/^stamp=\([0-9]*\) .*/\1/p'; }

# input_clock_moves PROBE: the stamp changes within 3 s. The pointer moves
# over a Wine window every 200 ms while the user "works"; a clock that stays
# put makes that user idle to the program, so no reminder is due.
input_clock_moves() {
  local first now
  first=$(input_stamp "$1")
  for _ in $(seq 15); do
    sleep 0.2
    now=$(input_stamp "$1")
    [[ -n "$now" && "$now" != 0 && "$now" != "$first" ]] && return 0
  done
  return 1
}

# stamps_ahead LOG: what `quorbel_probe stamp-ahead` wrote so far: how many
# reads had a last-input stamp later than the tick count, and by how much at
# most ("0" when none).
stamps_ahead() {
  awk '$1 == "ahead" {n++; if ($2 > most) most = $2} END {print n ? n " (by up to " most " ms)" : 0}' "$1" 2>/dev/null
}

# reminder_blockers PROBE PID STAMP_LOG: which of the known causes keeps a
# reminder of the program started as PID away: another instance holds the
# single-instance lock, Wine's last-input clock stands still, or the stamp
# ran ahead of the tick count (a 49.7-day break to a program that subtracts
# unsigned). STAMP_LOG is what `quorbel_probe stamp-ahead` wrote meanwhile.
reminder_blockers() {
  local causes=() programs ahead
  programs=$(own_programs | tr '\n' ' ')
  [[ "$programs" == "$2 " ]] ||
    causes+=("an instance other than the one started ($2) runs: ${programs:-none}")
  input_clock_moves "$1" ||
    causes+=("Wine's last-input clock stands still ($(wine "$1" input-clock </dev/null 2>/dev/null | tr -d '\r')): to the program the user is idle")
  ahead=$(stamps_ahead "$3")
  [[ "$ahead" == 0 ]] ||
    causes+=("a last-input stamp later than the tick count in $ahead reads, each a 49.7-day break to a program that subtracts unsigned")
  local IFS=';'
  echo "${causes[*]:-none of the known ones}"
}
