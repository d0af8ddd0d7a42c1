#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the portable logic
# natively (plain and under AddressSanitizer + UndefinedBehaviorSanitizer),
# the profile fuzzer, the Windows program's tests under Wine, the end-to-end
# tests of the real program on a virtual display, and the Debian package
# (installed and removed again: run as root).
#   ./scripts/test.sh                   every suite
#   ./scripts/test.sh SUITE...          only these: native sanitized fuzz
#                                       windows deb
#   ./scripts/test.sh -L LABEL [SUITE...]
#                                       only the tests of a ctest label: unit
#                                       (seconds), adapter, e2e, fuzz, package
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
ALL_SUITES=(native sanitized fuzz windows deb)
usage() {
  echo "usage: $0 [-L unit|adapter|e2e|fuzz|package] [${ALL_SUITES[*]}]..." >&2
  exit 2
}
LABEL_ARGS=()
CHOSEN=()
while (($#)); do
  case "$1" in
    -L) (($# >= 2)) || usage; LABEL_ARGS=(-L "^$2\$"); shift 2 ;;
    native | sanitized | fuzz | windows | deb) CHOSEN+=("$1"); shift ;;
    *) usage ;;
  esac
done
((${#CHOSEN[@]})) || CHOSEN=("${ALL_SUITES[@]}")
chosen() { [[ " ${CHOSEN[*]} " == *" $1 "* ]]; }

"$ROOT/scripts/setup.sh" || exit 1
source "$ROOT/scripts/lib/display.sh"
source "$ROOT/scripts/lib/wine.sh"

JOBS=$(nproc)
declare -a SUITES=()
total_passed=0
total_failed=0

configure_and_build() {  # NAME BUILD_DIR CMAKE_ARGS...
  local name=$1 dir=$2
  shift 2
  echo "== building $name"
  if ! cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >"$dir.configure.log" 2>&1; then
    cat "$dir.configure.log"
    return 1
  fi
  cmake --build "$dir" -j "$JOBS" 2>&1 | grep -Ev '^\[[0-9]+/[0-9]+\] ' || true
  [[ ${PIPESTATUS[0]} -eq 0 ]]
}

run_suite() {  # NAME BUILD_DIR [CTEST_ARGS...]
  local name=$1 dir=$2 log
  shift 2
  log=$(mktemp)
  echo "== testing $name"
  ctest --test-dir "$dir" --output-on-failure --timeout 600 "${LABEL_ARGS[@]}" "$@" 2>&1 | tee "$log"
  local summary passed failed
  summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
  if grep -q 'No tests were found' "$log" && ((${#LABEL_ARGS[@]})); then
    passed=0
    failed=0
  elif [[ -n "$summary" ]]; then
    failed=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$summary")
    passed=$(( $(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary") - failed ))
  else
    passed=0
    failed=1
  fi
  rm -f "$log"
  total_passed=$((total_passed + passed))
  total_failed=$((total_failed + failed))
  SUITES+=("$name: $passed passed, $failed failed")
}

build_failed() {  # NAME
  total_failed=$((total_failed + 1))
  SUITES+=("$1: build failed")
}

# The .deb as package.sh builds it, then one test per check of
# packaging/test_deb.sh: its contents, installed and run and removed, lintian.
run_deb_suite() {
  local deb check passed=0 failed=0
  echo "== building the Debian package"
  if ! deb=$("$ROOT/scripts/package.sh" deb | tail -n 1) || [[ ! -f "$deb" ]]; then
    build_failed deb
    return
  fi
  echo "== testing the Debian package $deb"
  for check in contents installed lintian; do
    if bash "$ROOT/packaging/test_deb.sh" "$check" "$deb"; then
      passed=$((passed + 1))
    else
      failed=$((failed + 1))
      echo "-- deb check '$check' failed"
    fi
  done
  total_passed=$((total_passed + passed))
  total_failed=$((total_failed + failed))
  SUITES+=("deb: $passed passed, $failed failed")
}

summarize() {
  echo
  echo "== summary"
  printf '%s\n' "${SUITES[@]}"
  echo "Total: $total_passed passed, $total_failed failed"
  [[ $total_failed -eq 0 ]]
  exit
}

mkdir -p "$ROOT/build"

if ! chosen native; then
  :
elif configure_and_build native "$ROOT/build/native" -DCMAKE_BUILD_TYPE=Debug; then
  run_suite native "$ROOT/build/native"
else
  build_failed native
fi

if ! chosen sanitized; then
  :
elif configure_and_build sanitized "$ROOT/build/asan" -DCMAKE_BUILD_TYPE=Debug -DQUORBEL_SANITIZE=ON; then
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_suite sanitized "$ROOT/build/asan"
else
  build_failed sanitized
fi

if ! chosen fuzz; then
  :
elif CC=clang CXX=clang++ configure_and_build fuzz "$ROOT/build/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORBEL_FUZZ=ON; then
  run_suite fuzz "$ROOT/build/fuzz"
else
  build_failed fuzz
fi

if ! chosen windows; then
  :
elif configure_and_build windows "$ROOT/build/win" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake"; then
  # The Windows tests make real windows: give them a display of their own.
  start_virtual_display --no-tray
  start_clean_wine_session "$ROOT/build/win/wineprefix"
  # The end-to-end harness gives a step Wine drops (a click on the tray icon,
  # input its last-input clock missed) one retry and logs it; the summary
  # lists every one.
  retries="$ROOT/build/win/e2e/retries.log"
  rm -f "$retries"
  run_suite windows "$ROOT/build/win"
  if [[ -s "$retries" ]]; then
    SUITES+=("windows: $(wc -l <"$retries") retried step(s):")
    while IFS= read -r line; do SUITES+=("  retry in $line"); done <"$retries"
  fi
  stop_wine_server
  stop_virtual_display
else
  build_failed windows
fi

# The README's Windows build: from an empty build directory, on a machine
# without GoogleTest (none at the path given here), configure says the tests
# are off and the program builds without them.
if ! chosen windows || ((${#LABEL_ARGS[@]})); then
  :
elif rm -rf "$ROOT/build/win-plain" && configure_and_build "windows without tests" "$ROOT/build/win-plain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" -DQUORBEL_GTEST_DIR=/nonexistent &&
    grep -q 'Tests: off, GoogleTest not found' "$ROOT/build/win-plain.configure.log" &&
    [[ -f "$ROOT/build/win-plain/bin/QuorbelClock.exe" ]] &&
    ! ls "$ROOT"/build/win-plain/*/*_tests.exe >/dev/null 2>&1; then
  total_passed=$((total_passed + 1))
  SUITES+=("windows without tests: 1 passed, 0 failed")
else
  build_failed "windows without tests"
fi

if chosen deb && [[ ${#LABEL_ARGS[@]} == 0 || "${LABEL_ARGS[1]}" == '^package$' ]]; then
  run_deb_suite
fi
summarize
