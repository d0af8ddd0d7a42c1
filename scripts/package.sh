#!/usr/bin/env bash
# Builds the Windows package with one command: a zip with the program, the
# preview tool and every data file, and a per-user installer.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build/win"
OUT="$ROOT/build/package"
VERSION=$(sed -n 's/^project(QuorbelClock VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")

"$ROOT/scripts/setup.sh"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$BUILD" --target QuorbelClock QuorbelPreview | grep -Ev '^\[[0-9]+/[0-9]+\] ' || true

rm -rf "$OUT"
mkdir -p "$OUT/stage"
cp "$BUILD/bin/QuorbelClock.exe" "$BUILD/bin/QuorbelPreview.exe" "$OUT/stage/"
cp -r "$ROOT/data/." "$OUT/stage/"
cp "$ROOT/app/resources/quorbel.ico" "$OUT/quorbel.ico"

(cd "$OUT/stage" && zip -qr9 "$OUT/QuorbelClock-$VERSION.zip" .)
makensis -V2 -DVERSION="$VERSION" -DSTAGE="$OUT/stage" \
  -DOUTFILE="$OUT/QuorbelClock-$VERSION-setup.exe" "$ROOT/packaging/quorbel.nsi"
echo "== $OUT/QuorbelClock-$VERSION.zip"
echo "== $OUT/QuorbelClock-$VERSION-setup.exe"
