#!/usr/bin/env bash
# Builds the Windows program: a static vorlane.exe that needs no DLL beyond
# Windows' own, and the zip to hand out. The static Qt it links is built once
# into a cache outside the checkout (see build-windows-qt.sh; ~40 min on 2 cores).
# Usage: build-windows.sh [build dir] [targets...]; the default target is
# vorlane, and the zip is made whenever vorlane.exe was built. The tests run
# under Wine with CMake's cross-compiling emulator: tests/windows/unit-tests.sh.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-windows}
shift || true
started=$(date +%s)

"$top/scripts/install-deps.sh" g++-mingw-w64-x86-64-posix mingw-w64-tools
qt=$("$top/scripts/build-windows-qt.sh" | tail -n 1)

targets=("${@:-vorlane}")

cmake -S "$top" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine \
    -DCMAKE_BUILD_TYPE=Release -DVORLANE_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"
[ -f "$build/vorlane.exe" ] || exit 0
(cd "$build" && cpack -G ZIP >/dev/null)

exe=$build/vorlane.exe
zip=$(ls "$build"/vorlane-*-win64.zip)
echo "build-windows: $exe ($(du -k "$exe" | cut -f1) KiB)"
echo "build-windows: $zip ($(du -k "$zip" | cut -f1) KiB)"
echo "build-windows: done in $(($(date +%s) - started)) s"
