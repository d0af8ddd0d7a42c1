#!/usr/bin/env bash
# Where the first run puts the autostart entry: a copy of the program in a
# folder under the user's profile, which that user can change, registers
# for that user only; a copy under "C:\Program Files", which only
# administrators can change, registers machine-wide.
source "$(dirname "$0")/lib.sh"
start_display
install_program

USER_RUN='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
MACHINE_RUN='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'

# The whole data of a Run value (reg_value stops at the first blank).
run_entry() {  # KEY
  wine reg query "$1" /v Clock 2>/dev/null | tr -d '\r' | sed -n 's/^ *Clock *REG_SZ *//p'
}

autorun_stored() { [[ "$(reg_value "$SETTINGS" Autorun)" == 0x1 ]]; }
no_program_runs() { [[ $(program_count) -eq 0 ]]; }

# first_run_from WINDOWS_FOLDER: copies the program there and starts it as
# on a first run; sets FOLDER to the copy's place.
first_run_from() {
  FOLDER=$(winepath -u "$1" 2>/dev/null)
  rm -rf "$FOLDER"
  mkdir -p "$FOLDER"
  cp -r "$E2E_DIR/." "$FOLDER/"
  PROGRAM="$FOLDER/QuorbelClock.exe"
  launch
  wait_until 20 autorun_stored || fail "the copy in $1 did not store Autorun = 1"
}

profile=$(wine cmd /c 'echo %USERPROFILE%' 2>/dev/null | tr -d '\r')
program_files=$(wine cmd /c 'echo %ProgramFiles%' 2>/dev/null | tr -d '\r')

first_run_from "$profile\\Quorbel e2e"
[[ "$(run_entry "$USER_RUN")" == "\"$profile\\Quorbel e2e\\QuorbelClock.exe\"" ]] ||
  fail "from the profile the user's entry is '$(run_entry "$USER_RUN")'"
[[ -z "$(run_entry "$MACHINE_RUN")" ]] ||
  fail "from the profile the program wrote the machine-wide entry '$(run_entry "$MACHINE_RUN")'"
note "from $profile\\Quorbel e2e: only the user's entry $(run_entry "$USER_RUN")"

stop_program
wait_until 10 no_program_runs || fail "the first copy did not end"
# Within the running session: a delete here starts no session of its own.
for key in "$USER_RUN" "$MACHINE_RUN"; do wine reg delete "$key" /v Clock /f </dev/null >/dev/null 2>&1 || true; done
wine reg delete "$SETTINGS" /f </dev/null >/dev/null 2>&1 || true

first_run_from "$program_files\\Quorbel e2e"
[[ "$(run_entry "$MACHINE_RUN")" == "\"$program_files\\Quorbel e2e\\QuorbelClock.exe\"" ]] ||
  fail "from Program Files the machine-wide entry is '$(run_entry "$MACHINE_RUN")'"
[[ -z "$(run_entry "$USER_RUN")" ]] ||
  fail "from Program Files the program wrote the user's entry '$(run_entry "$USER_RUN")'"
note "from $program_files\\Quorbel e2e: the machine-wide entry $(run_entry "$MACHINE_RUN")"

stop_program
wait_until 10 no_program_runs || fail "the second copy did not end"
rm -rf "$(winepath -u "$profile\\Quorbel e2e")" "$(winepath -u "$program_files\\Quorbel e2e")"
