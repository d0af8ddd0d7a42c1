#!/usr/bin/env bash
# Where the first run puts the autostart entry: a copy of the program in a
# folder under the user's profile, or under the Windows folder (standard
# users may write to its Temp and Tasks), registers for that user only; a
# copy under "C:\Program Files", which only administrators can change,
# registers machine-wide. A start with Autorun on moves the user's entry of
# a copy at an older place to itself; another program's "Clock" stays.
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

# start_from WINDOWS_FOLDER: copies the program there and starts it; sets
# FOLDER to the copy's place.
COPIES=()
start_from() {
  FOLDER=$(winepath -u "$1" 2>/dev/null)
  rm -rf "$FOLDER"
  mkdir -p "$FOLDER"
  cp -r "$E2E_DIR/." "$FOLDER/"
  COPIES+=("$FOLDER")
  PROGRAM="$FOLDER/QuorbelClock.exe"
  launch
}

# first_run_from WINDOWS_FOLDER: start_from, as on a first run.
first_run_from() {
  start_from "$1"
  wait_until 20 autorun_stored || fail "the copy in $1 did not store Autorun = 1"
}

# end_run WHAT: stops the copy, and leaves no entry and no settings behind.
end_run() {
  stop_program
  wait_until 10 no_program_runs || fail "$1 did not end"
  # Within the running session: a delete here starts no session of its own.
  for key in "$USER_RUN" "$MACHINE_RUN"; do wine reg delete "$key" /v Clock /f </dev/null >/dev/null 2>&1 || true; done
  wine reg delete "$SETTINGS" /f </dev/null >/dev/null 2>&1 || true
}

set_user_entry() { wine reg add "$USER_RUN" /v Clock /t REG_SZ /d "$1" /f </dev/null >/dev/null 2>&1 || true; }

profile=$(wine cmd /c 'echo %USERPROFILE%' 2>/dev/null | tr -d '\r')
program_files=$(wine cmd /c 'echo %ProgramFiles%' 2>/dev/null | tr -d '\r')

first_run_from "$profile\\Quorbel e2e"
[[ "$(run_entry "$USER_RUN")" == "\"$profile\\Quorbel e2e\\QuorbelClock.exe\"" ]] ||
  fail "from the profile the user's entry is '$(run_entry "$USER_RUN")'"
[[ -z "$(run_entry "$MACHINE_RUN")" ]] ||
  fail "from the profile the program wrote the machine-wide entry '$(run_entry "$MACHINE_RUN")'"
note "from $profile\\Quorbel e2e: only the user's entry $(run_entry "$USER_RUN")"

end_run "the first copy"

first_run_from "$program_files\\Quorbel e2e"
[[ "$(run_entry "$MACHINE_RUN")" == "\"$program_files\\Quorbel e2e\\QuorbelClock.exe\"" ]] ||
  fail "from Program Files the machine-wide entry is '$(run_entry "$MACHINE_RUN")'"
[[ -z "$(run_entry "$USER_RUN")" ]] ||
  fail "from Program Files the program wrote the user's entry '$(run_entry "$USER_RUN")'"
note "from $program_files\\Quorbel e2e: the machine-wide entry $(run_entry "$MACHINE_RUN")"

end_run "the second copy"

windows=$(wine cmd /c 'echo %windir%' 2>/dev/null | tr -d '\r')
first_run_from "$windows\\Temp\\Quorbel e2e"
[[ -z "$(run_entry "$MACHINE_RUN")" ]] ||
  fail "from the Windows folder the program wrote the machine-wide entry '$(run_entry "$MACHINE_RUN")'"
# Wine names the folder "temp": compare without regard to case, as Windows does.
user_entry=$(run_entry "$USER_RUN")
[[ "${user_entry,,}" == "\"${windows,,}\\temp\\quorbel e2e\\quorbelclock.exe\"" ]] ||
  fail "from the Windows folder the user's entry is '$(run_entry "$USER_RUN")'"
note "from $windows\\Temp\\Quorbel e2e: only the user's entry $(run_entry "$USER_RUN")"
end_run "the copy in the Windows folder"

# Moved: the entry of the older place is this program's.
store_setting Autorun 1
set_user_entry "\"$profile\\Quorbel old\\QuorbelClock.exe\""
start_from "$profile\\Quorbel moved"
moved="\"$profile\\Quorbel moved\\QuorbelClock.exe\""
entry_moved() { [[ "$(run_entry "$USER_RUN")" == "$moved" ]]; }
wait_until 20 entry_moved || fail "a start with Autorun = 1 left the older place's entry '$(run_entry "$USER_RUN")'"
note "the entry of an older place now names $(run_entry "$USER_RUN")"
end_run "the moved copy"

# Another program's "Clock" stays, on a first run too.
set_user_entry 'C:\Tools\Clock.exe'
first_run_from "$profile\\Quorbel e2e"
[[ "$(run_entry "$USER_RUN")" == 'C:\Tools\Clock.exe' ]] ||
  fail "another program's entry became '$(run_entry "$USER_RUN")'"
end_run "the copy beside another program's entry"
rm -rf "${COPIES[@]}"
