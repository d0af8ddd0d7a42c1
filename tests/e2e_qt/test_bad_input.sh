#!/usr/bin/env bash
# Damaged or odd data files and settings. With each, the program starts,
# shows and raises its panel, docks its icon, its tray menu opens the
# settings dialog, Ok stores, and the values the user had stored are still
# there. Each case also says what the user gets: the dialog's caption from
# Config.ini or its built-in "Setting", and a panel as with intact files,
# without a skin (the plain one), or with a part left out.
#
# Every case with Config.ini, the images and the settings goes the whole way
# (start, panel, tray menu, dialog, Ok, Exit from the menu); the sound files,
# which nothing opens before a reminder, get start, panel and a SIGTERM. A
# FIFO as load.wav meets a real reminder on a second display meanwhile.
#
# As root the program runs without the capabilities that pass over file
# permissions, so "unreadable" and "read-only" mean what they mean to a user.
source "$(dirname "$0")/lib.sh"

prepare_home
start_display

# A copy of the program with its own data beside it, to damage at will.
APP="$E2E_DIR/app"
PRISTINE="$E2E_DIR/pristine"
PROGRAM="$APP/quorbel-clock"
DATA_FILES=(Config.ini icons.png logo.png load.wav start.wav skins)
mkdir -p "$APP" "$PRISTINE"
cp "$QUORBEL_BUILD_DIR/bin/quorbel-clock" "$APP/"
for file in "${DATA_FILES[@]}"; do cp -r "$QUORBEL_BUILD_DIR/bin/$file" "$PRISTINE/"; done

USER_MARK='; Your own settings: a key here wins, every other comes from the shipped Config.ini.'
SHIPPED_CAPTION=Settings  # "SetTitle" of the shipped Config.ini
DEFAULT_CAPTION=Setting

AS_USER=()
if (($(id -u) == 0)); then
  AS_USER=(setpriv --bounding-set -dac_override,-dac_read_search)
  printf 'secret' >"$E2E_DIR/probe"
  chmod 000 "$E2E_DIR/probe"
  ! "${AS_USER[@]}" cat "$E2E_DIR/probe" >/dev/null 2>&1 || fail "setpriv does not take root's file access away"
fi

junk() {  # BYTES: the same binary junk on every run
  LC_ALL=C awk -v n="$1" 'BEGIN { srand(7); for (i = 0; i < n; i++) printf "%c", int(rand() * 255) + 1 }'
}

# --- A reminder whose sound is a FIFO, on a display of its own while the
# other cases run: the panel must come down, hold and rise again.

REMINDER="$E2E_DIR/reminder"
start_fifo_reminder() {
  local main_display=$DISPLAY file
  mkdir -p "$REMINDER/app" "$REMINDER/config/quorbel-clock" "$REMINDER/runtime"
  chmod 700 "$REMINDER/runtime"
  cp "$PROGRAM" "$REMINDER/app/"
  for file in "${DATA_FILES[@]}"; do cp -r "$PRISTINE/$file" "$REMINDER/app/"; done
  rm "$REMINDER/app/load.wav"
  mkfifo "$REMINDER/app/load.wav"
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\QuorbelClock]\n"Autorun"=dword:00000001\n"Hours"=dword:00000000\n"Minutes"=dword:00000001\n' \
    >"$REMINDER/config/quorbel-clock/settings.reg"
  start_virtual_display --no-tray
  REMINDER_DISPLAY=$DISPLAY
  export DISPLAY=$main_display
  xev -display "$REMINDER_DISPLAY" -root -event substructure >"$REMINDER/root_events.log" 2>&1 &
  E2E_PIDS+=($!)
  sleep 0.3
  DISPLAY=$REMINDER_DISPLAY XDG_CONFIG_HOME="$REMINDER/config" XDG_RUNTIME_DIR="$REMINDER/runtime" \
    "${AS_USER[@]}" "$REMINDER/app/quorbel-clock" </dev/null >"$REMINDER/program.log" 2>&1 &
  REMINDER_PID=$!
  REMINDER_STARTED=$SECONDS
  E2E_PIDS+=($REMINDER_PID)
  # A user at work on that display, so the minute is counted.
  (while :; do DISPLAY=$REMINDER_DISPLAY xdotool mousemove_relative -- 3 0 sleep 0.2 mousemove_relative -- -3 0 sleep 0.2 2>/dev/null || true; done) &
  E2E_PIDS+=($!)
}

# The panel's tops on that display, in order, each once.
reminder_tops() {
  sed -nE "s/.*\(-?[0-9]+,(-?[0-9]+)\), width 450, height 140.*/\1/p" "$REMINDER/root_events.log" | uniq | tr '\n' ' '
}
# Shown at start, risen, down again for the reminder and risen after it.
reminder_done() { [[ "$(reminder_tops)" =~ ^0\ .*-140\ .*\ 0\ .*-140\ $ ]]; }

# Within 100 s of its start (a minute, ten seconds held, the slides).
check_fifo_reminder() {
  local left=$((REMINDER_STARTED + 100 - SECONDS))
  wait_until $((left > 1 ? left : 1)) reminder_done ||
    fail "the reminder did not come and rise again (tops: $(reminder_tops | tail -c 200))"
  note "$CASE: the panel came down, held and rose again (seen $((SECONDS - REMINDER_STARTED)) s after the start)"
}

# SIGTERM ends it with status 0 (the parent shell waits for it).
end_fifo_reminder() {
  local status=0
  kill -TERM "$REMINDER_PID"
  if wait_until 5 bash -c "! kill -0 $REMINDER_PID 2>/dev/null"; then
    wait "$REMINDER_PID" || status=$?
  else
    kill -9 "$REMINDER_PID"
    status=SIGTERM-ignored
  fi
  [[ "$status" == 0 ]] && return 0
  echo "FAIL: load.wav-fifo-reminder: after SIGTERM: $status" >&2
  FAILED+=(load.wav-fifo-reminder-end)
}

restore_data() {
  local file
  for file in "${DATA_FILES[@]}"; do
    rm -rf "${APP:?}/$file"
    cp -r "$PRISTINE/$file" "$APP/"
  done
}

# The user's own settings before each case: an interval, a background path,
# a value of another version, and a skin picked in the user's Config.ini.
restore_settings() {
  chmod -R u+w "$XDG_CONFIG_HOME" 2>/dev/null || true
  rm -rf "$XDG_CONFIG_HOME" "$E2E_DIR/elsewhere"
  mkdir -p "$(dirname "$SETTINGS_FILE")"
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\QuorbelClock]\n"Autorun"=dword:00000001\n"Hours"=dword:00000002\n"Minutes"=dword:0000000f\n"Background"="/home/user/sky.png"\n"Extra"=dword:00000007\n' \
    >"$SETTINGS_FILE"
  printf '%s\r\n[Skins]\r\nSelected=3\r\n' "$USER_MARK" >"$USER_CONFIG_INI"
}

# damage FILE HOW: FILE (relative to the program's directory) missing, empty,
# cut in half, junk of its own size, a directory, a FIFO or unreadable.
damage() {
  local file="$APP/$1" size
  size=$(stat -c %s "$file")
  case $2 in
    missing) rm -f "$file" ;;
    empty) : >"$file" ;;
    truncated) head -c $((size / 2)) "$PRISTINE/$1" >"$file" ;;
    junk) junk "$size" >"$file" ;;
    directory) rm -f "$file" && mkdir "$file" ;;
    fifo) rm -f "$file" && mkfifo "$file" ;;
    unreadable) chmod 000 "$file" ;;
  esac
}
DAMAGES=(missing empty truncated junk directory fifo unreadable)

# --- Looking at the program as a user would.

launch() {
  "${AS_USER[@]}" "$PROGRAM" </dev/null >"$E2E_DIR/program.log" 2>&1 &
  PROGRAM_PID=$!
}

# The dialog is the program's visible window of the dialog's width (the
# panel is 450 wide, the docked icon 22); its caption is what a case looks at.
dialog_window() {
  local id
  for id in $(xdotool search --all --pid "$PROGRAM_PID" --onlyvisible --name '' 2>/dev/null); do
    xwininfo -id "$id" 2>/dev/null | grep -q '^ *Width: 304$' && { echo "$id"; return 0; }
  done
  return 0
}

# panel_looks: LOOKS is "same" when the shown panel is the one of the first,
# intact case (the logo rests while the dialog is open), "plain" when it
# shows the panel without a skin, else "changed"; the differing pixels in
# PANEL_DIFF.
panel_looks() {
  local shot="$E2E_DIR/shot.png" crop="$E2E_DIR/cases/$CASE.png" body
  screenshot "$shot"
  convert-im6.q16 "$shot" -crop "450x140+$(panel_left)+0" +repage -alpha off "$crop"
  [[ -f "$E2E_DIR/reference.png" ]] || cp "$crop" "$E2E_DIR/reference.png"
  PANEL_DIFF=$(compare-im6.q16 -metric AE -fuzz 8% "$E2E_DIR/reference.png" "$crop" null: 2>&1 || true)
  body=$(pixel "$crop" 225 100)
  if ((PANEL_DIFF < 100)); then
    LOOKS=same
  elif [[ "$body" == "$PLAIN_BODY" ]]; then
    LOOKS=plain
  else
    LOOKS=changed
  fi
}
# The plain panel's body colour, 240/255 of (36, 52, 68), as the X server
# shows it without a compositor.
PLAIN_BODY='srgb(34,49,64)'

end_case_program() {
  kill -9 "$PROGRAM_PID" 2>/dev/null || true
  wait "$PROGRAM_PID" 2>/dev/null || true
}

# start_case: the program starts, shows its panel within 10 s, docks its
# icon and raises the panel.
start_case() {
  local started
  started=$(date +%s%N)
  launch
  trap end_case_program EXIT
  if ! wait_until 10 panel_exists; then
    program_running || fail "the program ended at start (log: $(head -c 300 "$E2E_DIR/program.log"))"
    fail "no panel within 10 s"
  fi
  SHOWN_MS=$((($(date +%s%N) - started) / 1000000))
  wait_until 5 tray_has_icon || fail "no icon docked"
  wait_until 5 panel_at -140 || fail "the panel did not rise (top $(panel_top))"
}

# journey CAPTION PANEL [HOURS MINUTES]: the whole way. The dialog must
# carry CAPTION and the panel look PANEL while it is open; Ok stores the
# interval typed (none: the one the dialog shows) and skin 1.
journey() {
  start_case
  open_settings
  local caption
  caption=$(xdotool getwindowname "$(dialog_window)")
  [[ "$caption" == "$1" ]] || fail "the dialog's caption is '${caption:0:40}' (${#caption} characters), not '${1:0:40}' (${#1})"
  sleep 0.3
  panel_looks
  [[ "$LOOKS" == "$2" ]] || fail "the panel looks $LOOKS ($PANEL_DIFF pixels differ from the intact one), not $2"
  (($# < 4)) || set_interval "$3" "$4"
  click_thumbnail 0
  sleep 0.2
  click_ok
  wait_until 5 dialog_closed || fail "Ok did not close the dialog"
  wait_until 5 panel_at -140 || fail "the panel did not rise after Ok"
  exit_from_menu
  trap - EXIT
  note "$CASE: panel after $SHOWN_MS ms, looks $LOOKS, dialog '${caption:0:24}' (${#caption} characters), Ok, Exit"
}

# short_journey: start, panel, icon; SIGTERM ends the program with status 0.
short_journey() {
  start_case
  kill -TERM "$PROGRAM_PID"
  wait_until 5 bash -c "! kill -0 $PROGRAM_PID 2>/dev/null" || fail "SIGTERM did not end the program"
  local status=0
  wait "$PROGRAM_PID" || status=$?
  [[ "$status" == 0 ]] || fail "the program ended with status $status"
  trap - EXIT
  note "$CASE: panel after $SHOWN_MS ms, ended by SIGTERM"
}

# --- What must be stored afterwards.

expect_setting() {  # NAME DATA
  [[ "$(setting "$1")" == "$2" ]] || fail "$1 is '$(setting "$1")' after Ok, not '$2'"
}
expect_selected() {  # NUMBER
  [[ "$(user_selected)" == "$1" ]] || fail "the user's Config.ini has Selected=$(user_selected), not $1"
}
# What the user had besides the interval is still there.
expect_kept() {
  expect_setting Background '"/home/user/sky.png"'
  expect_setting Extra dword:00000007
}
# Ok stored 3 h 25 min and skin 1, and the rest survived.
expect_stored() {
  expect_setting Hours dword:00000003
  expect_setting Minutes dword:00000019
  expect_kept
  expect_selected 1
}

# --- Running the cases.

FAILED=()
mkdir -p "$E2E_DIR/cases"

# case NAME COMMAND...: runs the case in a subshell of its own, so a failing
# case is reported and the next one still runs.
case_() {
  CASE=$1
  shift
  local status=0
  set +e
  (
    set -e
    fail() {
      echo "FAIL: $CASE: $*" >&2
      exit 1
    }
    "$@"
  )
  status=$?
  set -e
  ((status == 0)) && return 0
  echo "-- $CASE failed (status $status)" >&2
  FAILED+=("$CASE")
}

start_fifo_reminder
restore_data
restore_settings

pristine() {
  journey "$SHIPPED_CAPTION" same 3 25
  expect_stored
}
case_ intact pristine
[[ -f "$E2E_DIR/reference.png" ]] || fail "the intact case left no picture of the panel to compare with"

# --- Data files in every damaged form.

damaged_case() {  # FILE HOW CAPTION PANEL
  restore_data
  restore_settings
  damage "$1" "$2"
  journey "$3" "$4" 3 25
  expect_stored
}
# Without a regular Config.ini beside it the program takes its data from
# ../share/quorbel-clock, which is not there: no skin, logo or icons.
for how in missing directory fifo empty junk unreadable; do
  case_ "Config.ini-$how" damaged_case Config.ini "$how" "$DEFAULT_CAPTION" plain
done
# Its first half holds the skins and the English texts.
case_ Config.ini-truncated damaged_case Config.ini truncated "$SHIPPED_CAPTION" same
for how in "${DAMAGES[@]}"; do
  case_ "skin-$how" damaged_case skins/graphite.png "$how" "$SHIPPED_CAPTION" plain
  case_ "thumbnail-$how" damaged_case skins/graphite_thumb.bmp "$how" "$SHIPPED_CAPTION" same
  case_ "logo-$how" damaged_case logo.png "$how" "$SHIPPED_CAPTION" changed
  case_ "icons-$how" damaged_case icons.png "$how" "$SHIPPED_CAPTION" changed
done

sound_case() {  # FILE HOW
  restore_data
  restore_settings
  damage "$1" "$2"
  short_journey
  [[ "$(setting Hours) $(setting Minutes)" == "dword:00000002 dword:0000000f" ]] || fail "the interval changed"
}
for how in "${DAMAGES[@]}"; do
  case_ "load.wav-$how" sound_case load.wav "$how"
  case_ "start.wav-$how" sound_case start.wav "$how"
done

# --- Config.ini in other encodings and forms.

config_case() {  # CAPTION PANEL MAKE_COMMAND...: Config.ini from the intact one by MAKE
  local caption=$1 panel=$2
  shift 2
  restore_data
  restore_settings
  "$@" <"$PRISTINE/Config.ini" >"$APP/Config.ini"
  journey "$caption" "$panel" 3 25
  expect_stored
}
to_utf8() { iconv -f CP1252 -t UTF-8; }
utf8_bom() { printf '\xef\xbb\xbf'; to_utf8; }
utf16le() { printf '\xff\xfe'; iconv -f CP1252 -t UTF-16LE; }
utf16be() { printf '\xfe\xff'; iconv -f CP1252 -t UTF-16BE; }
nul_bytes() { printf '\0\0\0\r\n'; sed 's/^; Adding a skin/;\x00 Adding a skin/'; printf '\0\0'; }
cr_only() { tr -d '\n'; }
long_caption() {  # LENGTH: SetTitle that long
  sed "s/^SetTitle=.*\r\$/SetTitle=$(head -c "$1" /dev/zero | tr '\0' W)\r/"
}

case_ Config.ini-utf8 config_case "$SHIPPED_CAPTION" same to_utf8
case_ Config.ini-utf8-bom config_case "$SHIPPED_CAPTION" same utf8_bom
case_ Config.ini-utf16le config_case "$SHIPPED_CAPTION" same utf16le
case_ Config.ini-utf16be config_case "$SHIPPED_CAPTION" same utf16be
case_ Config.ini-nul-bytes config_case "$SHIPPED_CAPTION" same nul_bytes
case_ Config.ini-cr-only config_case "$SHIPPED_CAPTION" same cr_only
W4999=$(head -c 4999 /dev/zero | tr '\0' W)
case_ Config.ini-4999-characters config_case "$W4999" same long_caption 4999
case_ Config.ini-5000-characters config_case "$W4999" same long_caption 5000

sparse_case() {
  restore_data
  restore_settings
  truncate -s 2G "$APP/Config.ini"
  journey "$SHIPPED_CAPTION" same 3 25
  expect_stored
}
case_ Config.ini-2GB-sparse sparse_case

# --- settings.reg

# reg_case NAME PANEL HOURS MINUTES BACKGROUND: settings.reg rewritten by
# the function NAME; Ok without typing stores what the dialog read. (An
# interval of 0 min is reached as soon as the dialog opens: the panel then
# shows the second level's texts.)
reg_case() {
  restore_data
  restore_settings
  "$1"
  journey "$SHIPPED_CAPTION" "$2"
  expect_setting Hours "$3"
  expect_setting Minutes "$4"
  expect_setting Background "$5"
  expect_setting Extra dword:00000007
  expect_selected 1
}
reg_junk_lines() {
  sed -i 's/^"Minutes"/this line is no value\n"Hours"=dword:xyz\n&/' "$SETTINGS_FILE"
  { junk 300; echo; } >>"$SETTINGS_FILE"
}
reg_nul_bytes() {
  sed -i 's/^\[HKEY/; \x00\x00\n\x00\n&/' "$SETTINGS_FILE"
  printf '\0\0\0' >>"$SETTINGS_FILE"
}
reg_wrong_types() {
  sed -i -e 's/^"Hours"=.*/"Hours"="2"/' -e 's/^"Minutes"=.*/"Minutes"=hex(4):0f,00,00,00,00/' \
    -e 's/^"Background"=.*/"Background"=dword:00000001/' "$SETTINGS_FILE"
}
reg_duplicates() {
  sed -i -e 's/^"Hours"=.*/"Hours"=dword:00000001\n&\n"Hours"=dword:00000003/' "$SETTINGS_FILE"
}
case_ settings.reg-junk-lines reg_case reg_junk_lines same dword:00000002 dword:0000000f '"/home/user/sky.png"'
case_ settings.reg-nul-bytes reg_case reg_nul_bytes same dword:00000002 dword:0000000f '"/home/user/sky.png"'
case_ settings.reg-wrong-types reg_case reg_wrong_types changed dword:00000000 dword:00000000 '""'
case_ settings.reg-duplicates reg_case reg_duplicates same dword:00000003 dword:0000000f '"/home/user/sky.png"'

reg_all_junk() {
  restore_data
  restore_settings
  junk 4096 >"$SETTINGS_FILE"
  cp "$SETTINGS_FILE" "$E2E_DIR/junk.reg"
  journey "$SHIPPED_CAPTION" same 3 25
  expect_setting Hours dword:00000003
  cmp -s -n 4096 "$SETTINGS_FILE" "$E2E_DIR/junk.reg" || fail "Ok did not keep the file's own bytes"
}
case_ settings.reg-all-junk reg_all_junk

# A file of 100 MB, the user's values first: read up to the bound, never
# written over, so what lies beyond is not lost.
reg_100mb() {
  restore_data
  restore_settings
  head -c 100M < <(yes '; padding padding padding padding padding padding padding padding padding') >>"$SETTINGS_FILE"
  local before
  before=$(md5sum <"$SETTINGS_FILE")
  journey "$SHIPPED_CAPTION" same 3 25
  [[ "$(md5sum <"$SETTINGS_FILE")" == "$before" ]] || fail "the 100 MB settings file was changed"
  expect_selected 1
}
case_ settings.reg-100MB reg_100mb

reg_symlink() {
  restore_data
  restore_settings
  mkdir -p "$E2E_DIR/elsewhere"
  mv "$SETTINGS_FILE" "$E2E_DIR/elsewhere/settings.reg"
  ln -s ../../elsewhere/settings.reg "$SETTINGS_FILE"
  journey "$SHIPPED_CAPTION" same 3 25
  [[ -L "$SETTINGS_FILE" ]] || fail "the link is no longer a link"
  expect_stored
}
case_ settings.reg-symlink reg_symlink

# A settings file the user may not read: the dialog shows 0 h 0 min (so the
# second level), and Ok must not replace the file.
reg_unreadable() {
  restore_data
  restore_settings
  chmod 000 "$SETTINGS_FILE"
  local before
  before=$(md5sum <"$SETTINGS_FILE")
  journey "$SHIPPED_CAPTION" changed 3 25
  [[ "$(md5sum <"$SETTINGS_FILE")" == "$before" ]] || fail "Ok replaced the unreadable settings file"
  expect_selected 1
}
case_ settings.reg-unreadable reg_unreadable

# A FIFO in its place: nothing is read from it and nothing replaces it.
reg_fifo() {
  restore_data
  restore_settings
  rm "$SETTINGS_FILE"
  mkfifo "$SETTINGS_FILE"
  journey "$SHIPPED_CAPTION" changed 3 25
  [[ -p "$SETTINGS_FILE" ]] || fail "Ok replaced the FIFO"
  expect_selected 1
}
case_ settings.reg-fifo reg_fifo

# --- Where the files are.

# Without Config.ini beside it the program looks in ../share/quorbel-clock,
# which is not there either: every text its default, no skin, no logo.
no_data_directory() {
  restore_data
  restore_settings
  local file
  for file in "${DATA_FILES[@]}"; do rm -rf "${APP:?}/$file"; done
  journey "$DEFAULT_CAPTION" plain 3 25
  expect_stored
}
case_ data-directory-missing no_data_directory

# A config home the user may not write to: everything reads, Ok stores
# nothing and says nothing.
read_only_config_home() {
  restore_data
  restore_settings
  local before
  before=$(cat "$SETTINGS_FILE" "$USER_CONFIG_INI" | md5sum)
  chmod -R a-w "$XDG_CONFIG_HOME"
  journey "$SHIPPED_CAPTION" same 3 25
  [[ "$(cat "$SETTINGS_FILE" "$USER_CONFIG_INI" | md5sum)" == "$before" ]] || fail "the read-only settings changed"
  chmod -R u+w "$XDG_CONFIG_HOME"
}
case_ config-home-read-only read_only_config_home

case_ load.wav-fifo-reminder check_fifo_reminder
end_fifo_reminder
restore_data
restore_settings
((${#FAILED[@]} == 0)) || fail "${#FAILED[@]} cases failed: ${FAILED[*]}"
note "every case passed"
