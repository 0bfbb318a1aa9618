#!/usr/bin/env bash
# Builds the Windows program: a static 32-bit vorlane.exe that needs no DLL
# beyond Windows' own, and the zip and the installer (NSIS) to hand out. The
# static Qt it links is built once into a cache outside the checkout (see
# build-windows-qt.sh; 15 to 45 min on 2 cores). VORLANE_WINDOWS_ARCH=x86_64 builds a 64-bit one.
# Usage: build-windows.sh [build dir] [targets...]; the default target is
# vorlane, and the zip and the installer are made whenever vorlane.exe was
# built. The tests run under Wine with CMake's cross-compiling emulator:
# tests/windows/unit-tests.sh.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-windows}
shift || true
started=$(date +%s)

# The release is 32-bit, as EchoLink is: it reaches EchoLink in EchoLink's
# own registry view and runs on 32-bit and 64-bit Windows alike.
arch=${VORLANE_WINDOWS_ARCH:-i686}
"$top/scripts/install-deps.sh" g++-mingw-w64-i686-posix mingw-w64-tools nsis
qt=$("$top/scripts/build-windows-qt.sh" "$arch" | tail -n 1)

targets=("${@:-vorlane}")

cmake -S "$top" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine \
    -DCMAKE_BUILD_TYPE=Release -DVORLANE_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"
[ -f "$build/vorlane.exe" ] || exit 0
(cd "$build" && cpack -G ZIP >/dev/null)

# The installer takes the same files as the zip, stripped.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
stage=$build/installer-files
rm -rf "$stage"
cmake --install "$build" --strip --prefix "$stage" >/dev/null
setup=$build/vorlane-$version-setup.exe
makensis -V2 -DVERSION="$version" -DFILES="$stage" -DICON="$top/src/ui/icons/vorlane.ico" \
    -DOUTFILE="$setup" "$top/packaging/windows/installer.nsi"

exe=$build/vorlane.exe
zip=$(ls "$build"/vorlane-*-win*.zip)
echo "build-windows: $exe ($(du -k "$exe" | cut -f1) KiB)"
echo "build-windows: $zip ($(du -k "$zip" | cut -f1) KiB)"
echo "build-windows: $setup ($(du -k "$setup" | cut -f1) KiB)"
echo "build-windows: done in $(($(date +%s) - started)) s"
