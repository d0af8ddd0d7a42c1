#!/usr/bin/env bash
# Builds the Windows package with one command: a zip with the program, the
# preview tool and every data file, and a per-user installer.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build/win"

"$ROOT/scripts/setup.sh"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$BUILD" --target windows_package | grep -Ev '^\[[0-9]+/[0-9]+\] ' || true
ls -1 "$BUILD"/package/QuorbelClock-*
