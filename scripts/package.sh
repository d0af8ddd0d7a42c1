#!/usr/bin/env bash
# Builds the packages with one command: for Windows a zip with the program,
# the preview tool and every data file, and a per-user installer; for Debian
# a .deb of the native Linux program.
#   ./scripts/package.sh [windows|deb]   (both when neither is named)
# Each package's path is printed on a line of its own, the .deb's last.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
WHICH=${1:-both}
case "$WHICH" in
  both | windows | deb) ;;
  *) echo "usage: $0 [windows|deb]" >&2; exit 2 ;;
esac

windows_package() {
  local build="$ROOT/build/win"
  cmake -S "$ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$build" --target windows_package | grep -Ev '^\[[0-9]+/[0-9]+\] ' || true
  ls -1 "$build"/package/QuorbelClock-*
}

# A Release build of its own, with Debian's hardening flags (no debugging
# information: the package's binaries are stripped).
deb_package() {
  local build="$ROOT/build/deb"
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CFLAGS_MAINT_STRIP=-g DEB_CXXFLAGS_MAINT_STRIP=-g
  mkdir -p "$ROOT/build"
  (cd "$ROOT" && cmake -S "$ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORBEL_TESTS=OFF \
    -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)" \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)") >"$build.log" 2>&1 ||
    { cat "$build.log" >&2; return 1; }
  rm -f "$build"/quorbel-clock_*.deb
  cmake --build "$build" -j "$(nproc)" --target package >>"$build.log" 2>&1 ||
    { cat "$build.log" >&2; return 1; }
  ls -1 "$build"/quorbel-clock_*_"$(dpkg --print-architecture)".deb
}

"$ROOT/scripts/setup.sh"
[[ "$WHICH" == deb ]] || windows_package
[[ "$WHICH" == windows ]] || deb_package
