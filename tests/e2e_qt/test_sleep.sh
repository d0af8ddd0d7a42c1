#!/usr/bin/env bash
# A sleep of the machine is a break, on the X server's idle time too, which
# does not count it: with 0 h 1 min and a user at work before and after a
# 30-minute sleep half a minute after start, the minute that falls due after
# the wake starts the count again, and the reminder comes a full minute after
# the wake instead of half a minute after it. The sleep is faked for the
# program alone: its CLOCK_BOOTTIME moves ahead of CLOCK_MONOTONIC.
source "$(dirname "$0")/lib.sh"

prepare_home
start_display
store_interval 0 1
SLEPT_FILE="$E2E_DIR/slept_ms"
echo 0 >"$SLEPT_FILE"

keep_user_busy
LD_PRELOAD="$QUORBEL_BUILD_DIR/e2e_qt/libquorbel_fake_sleep.so" QUORBEL_FAKE_SLEEP_FILE="$SLEPT_FILE" launch
started=$(date +%s)
wait_for_panel 10
wait_until 5 panel_at -140 || fail "the panel did not rise after start"

sleep 30
echo $((30 * 60 * 1000)) >"$SLEPT_FILE"
woke=$(date +%s)
note "a 30-minute sleep, $((woke - started)) s after start"

if wait_until 75 panel_at 0; then
  fail "a reminder came $(($(date +%s) - woke)) s after the wake: the sleep did not count as a break"
fi
if ! wait_until 40 panel_at 0; then
  fail "no reminder within 115 s of the wake (panel top $(panel_top), X idle $(x_idle_ms) ms)"
fi
after=$(($(date +%s) - woke))
((after >= 80)) || fail "the reminder came $after s after the wake"
note "the reminder came $after s after the wake: the count started again at the first minute after it"
