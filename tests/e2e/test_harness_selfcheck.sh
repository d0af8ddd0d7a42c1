#!/usr/bin/env bash
# The harness must notice a program that does not start: without this, every
# other end-to-end test could pass against nothing.
source "$(dirname "$0")/lib.sh"
start_display
install_program
rm -f "$PROGRAM"
launch
if (wait_for_panel 3) 2>/dev/null; then
  fail "the harness reported a panel although the program is missing"
fi
note "a missing program is detected"
