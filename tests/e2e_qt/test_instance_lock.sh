#!/usr/bin/env bash
# Without a usable XDG_RUNTIME_DIR the program runs on a private directory of
# the user's own, says so, and a second start there is still a second
# instance. A fallback directory another user could have made, or a lock
# that cannot be taken, ends the start loudly with status 2, never silently
# as a second instance would.
source "$(dirname "$0")/lib.sh"

prepare_home
start_display
export TMPDIR="$E2E_DIR/tmp"
mkdir -p "$TMPDIR"
FALLBACK="$TMPDIR/quorbel-clock-$(id -u)"
unset XDG_RUNTIME_DIR

# start_refused WHY: a start ends with status 2 within 5 s, no panel shown,
# and standard error names WHY.
start_refused() {
  local status=0
  timeout 5 "$PROGRAM" </dev/null >"$E2E_DIR/refused.log" 2>&1 || status=$?
  [[ "$status" == 2 ]] || fail "a start without a usable lock ended with status $status, not 2 ($1)"
  grep -qF "$1" "$E2E_DIR/refused.log" || fail "standard error does not say '$1': $(cat "$E2E_DIR/refused.log")"
  panel_exists && fail "a start without a lock showed a panel ($1)"
  return 0
}

start_risen
grep -qF "XDG_RUNTIME_DIR is not set; using $FALLBACK" "$E2E_DIR/program.log" ||
  fail "the fallback was not reported: $(cat "$E2E_DIR/program.log")"
[[ "$(stat -c %a "$FALLBACK")" == 700 ]] || fail "the fallback directory has mode $(stat -c %a "$FALLBACK")"

# A runtime directory others could reach falls back to the same place.
mkdir -m 755 "$E2E_DIR/open"
first=$PROGRAM_PID
for runtime in "" "$E2E_DIR/open"; do
  status=0
  XDG_RUNTIME_DIR=$runtime timeout 5 "$PROGRAM" </dev/null >/dev/null 2>&1 || status=$?
  [[ "$status" == 0 ]] || fail "a second start (XDG_RUNTIME_DIR='$runtime') ended with status $status"
done
program_running || fail "the first instance ended when a second one started"
exit_from_menu
note "without XDG_RUNTIME_DIR: panel and icon, lock in $FALLBACK (700); second starts ended with 0"

# Another user may have made the fallback first, as a link to a place of theirs.
rm -rf "$FALLBACK"
mkdir -m 777 "$E2E_DIR/theirs"
ln -s "$E2E_DIR/theirs" "$FALLBACK"
start_refused "$FALLBACK is refused: it is a symbolic link"
[[ -z "$(ls -A "$E2E_DIR/theirs")" ]] || fail "the program put files into the linked directory"
rm "$FALLBACK"
note "a fallback that is a link is refused with status 2"

# A private runtime directory where the lock itself cannot be taken.
export XDG_RUNTIME_DIR="$E2E_DIR/runtime"
mkdir "$XDG_RUNTIME_DIR/quorbel-clock-${DISPLAY//[^A-Za-z0-9.]/_}.lock"
start_refused "cannot lock $XDG_RUNTIME_DIR/quorbel-clock-${DISPLAY//[^A-Za-z0-9.]/_}.lock: Is a directory"
note "a lock that cannot be taken ends the start with status 2 and the reason"
