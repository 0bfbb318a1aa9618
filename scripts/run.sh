#!/usr/bin/env bash
# Builds Vorlane and starts it (with the EchoLink stand-in beside it).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${VORLANE_BUILD_DIR:-$top/build}

"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORLANE_BENCH=OFF >/dev/null
cmake --build "$build" --target vorlane echolink-sim
exec "$build/vorlane"
