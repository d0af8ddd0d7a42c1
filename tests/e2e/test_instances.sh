#!/usr/bin/env bash
# One instance, whatever happens at start: ten starts at once leave one
# program with one panel and one tray icon, and a second start ends on its
# own even when the running instance does not answer.
source "$(dirname "$0")/lib.sh"
start_display
install_program

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# wait_until SECONDS COMMAND...: polls COMMAND until it succeeds.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}

one_of_everything() {
  [[ $(program_count) -eq 1 && "$(probe panel-count)" == 1 && "$(tray_width)" == 22 ]]
}

describe() { echo "$(program_count) processes, $(probe panel-count) panel windows, tray $(tray_width) px wide"; }

# second_start_ms ARGS...: runs a second start and prints how long it took.
second_start_ms() {
  local start status=0
  start=$(now_ms)
  (cd "$E2E_DIR" && timeout 30 wine "$PROGRAM" "$@" </dev/null >/dev/null 2>&1) || status=$?
  ((status != 124)) || fail "a second start with '$*' was still running after 30 s"
  echo $(($(now_ms) - start))
}

for _ in $(seq 10); do launch; done
wait_until 30 one_of_everything || fail "ten starts at once left $(describe)"
sleep 2
one_of_everything || fail "after ten starts at once: $(describe)"
expect_own_instance
probe responds 2000 || fail "the remaining instance does not answer"
[[ "$(panel_field visible)" == 1 ]] || fail "the remaining instance does not show its panel"
note "ten starts at once: $(describe)"

elapsed=$(second_start_ms --an argument)
note "a second start with arguments ended after $elapsed ms"
((elapsed < 3000)) || fail "forwarding to an instance that answers took $elapsed ms"

first=$(own_programs)
kill -STOP "$first"
if probe responds 1000; then
  kill -CONT "$first"
  fail "the stopped instance still answers"
fi
with_arguments=$(second_start_ms --an argument "and a quoted one")
without=$(second_start_ms)
kill -CONT "$first"
note "while the first instance was stopped, second starts ended after $with_arguments ms (arguments), $without ms (none)"
((with_arguments <= 8000)) || fail "the second start with arguments took $with_arguments ms"
((without <= 8000)) || fail "the second start without arguments took $without ms"

wait_until 10 probe responds 1000 || fail "the first instance does not answer after it was continued"
wait_until 10 one_of_everything || fail "after the second starts: $(describe)"
[[ "$(own_programs)" == "$first" ]] || fail "the first instance is gone"
[[ "$(panel_field visible)" == 1 ]] || fail "the first instance's panel is hidden"
note "the first instance runs on: $(describe)"
