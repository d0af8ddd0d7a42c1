#!/usr/bin/env bash
# The autostart file follows the program under any name: a copy in a build
# folder with Cyrillic and CJK letters, under a home folder named so too,
# writes an entry whose Exec and TryExec name it exactly. A start with
# Autorun on moves an entry that names another copy of the program (the
# build tree's, a former install) to itself; clearing the box removes such
# an entry, ticking it writes this copy's; another program's file stays.
source "$(dirname "$0")/lib.sh"

prepare_home
export HOME="$E2E_DIR/Юлия 山田"
export XDG_CONFIG_HOME="$HOME/.config"
SETTINGS_FILE="$XDG_CONFIG_HOME/quorbel-clock/settings.reg"
AUTOSTART_FILE="$XDG_CONFIG_HOME/autostart/quorbel-clock.desktop"
COPY="$HOME/сборка 構築/bin"
mkdir -p "$COPY"
cp -r "$QUORBEL_BUILD_DIR/bin/." "$COPY/"
PROGRAM="$COPY/quorbel-clock"
OLDER='/opt/older place/quorbel-clock'

# names_copy PROGRAM: the autostart file starts PROGRAM, named exactly.
names_copy() {
  grep -qxF "Exec=\"$1\"" "$AUTOSTART_FILE" 2>/dev/null && grep -qxF "TryExec=$1" "$AUTOSTART_FILE"
}
entry() { cat "$AUTOSTART_FILE" 2>/dev/null || echo "(no autostart file)"; }
entry_for() {  # PROGRAM: an autostart file as another copy of the program writes it
  mkdir -p "$(dirname "$AUTOSTART_FILE")"
  printf '[Desktop Entry]\nType=Application\nName=Quorbel Alarm Clock\nExec="%s"\nTryExec=%s\n' "$1" "$1" >"$AUTOSTART_FILE"
}
autorun_is() { [[ "$(setting Autorun)" == "dword:0000000$1" ]]; }
no_entry() { [[ ! -e "$AUTOSTART_FILE" ]]; }
click_autorun() { click_in_dialog 24 176; }

start_display
start_risen
wait_until 5 autorun_is 1 || fail "a first run stored Autorun $(setting Autorun)"
names_copy "$PROGRAM" || fail "the first run's autostart file does not name $PROGRAM: $(entry)"
exit_from_menu

# The build tree's copy, or a former install, wrote the entry; Autorun is on.
entry_for "$OLDER"
start_risen
names_copy "$PROGRAM" || fail "a start with Autorun on left the entry of another copy: $(entry)"

# Off and on in the dialog; the older copy's entry again before the click off.
open_settings
entry_for "$OLDER"
click_autorun
wait_until 3 no_entry || fail "clearing Autorun left the entry of another copy: $(entry)"
wait_until 3 autorun_is 2 || fail "clearing Autorun stored $(setting Autorun)"
click_autorun
wait_until 3 names_copy "$PROGRAM" || fail "ticking Autorun wrote: $(entry)"
autorun_is 1 || fail "ticking Autorun stored $(setting Autorun)"
click_cancel
wait_until 5 dialog_closed || fail "Cancel did not close the dialog"
exit_from_menu

# Another program's entry of that name is none of this program's business.
entry_for /usr/bin/other-clock
start_risen
names_copy /usr/bin/other-clock || fail "another program's entry became: $(entry)"
exit_from_menu
note "Exec and TryExec name $PROGRAM; the entry of $OLDER moved at start and went with the box; another program's stayed"
