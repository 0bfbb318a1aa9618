#!/usr/bin/env bash
# Builds Vorlane and its tests and runs them all headless.
# Usage: test.sh [build dir] [extra cmake options...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-tests}
shift || true

# The end-to-end tests run the real programs on a private X server.
# The accessibility test reads the program through the AT-SPI bus.
"$top/scripts/install-deps.sh" xvfb xauth x11-utils xclip at-spi2-core dbus python3-pyatspi python3-gi
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug "$@" >/dev/null
cmake --build "$build" -j 2

runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j 2
