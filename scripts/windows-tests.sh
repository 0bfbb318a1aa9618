#!/usr/bin/env bash
# Builds the unit tests as Windows programs and runs them under Wine, each
# with the windows platform on a private X display, in a fresh 64-bit prefix.
# Usage: windows-tests.sh [build dir]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-windows}
started=$(date +%s)

"$top/scripts/install-deps.sh" wine64 wine xvfb xauth
"$top/scripts/build-windows.sh" "$build" all

work=$(mktemp -d "${TMPDIR:-/tmp}/vorlane-wintests.XXXXXX")
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'timeout 30 wineserver -k >/dev/null 2>&1; kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")

timeout 180 wineboot -i >"$work/wineboot.log" 2>&1 || { cat "$work/wineboot.log"; exit 1; }
timeout 120 wineserver -w
# One wineserver for the whole run, so each test starts in a fraction of
# the time. Its background programs start now, holding no pipe of ctest's:
# they live as long as the server, and ctest would wait for them to close.
wineserver -p
timeout 60 wine cmd /c exit >/dev/null 2>&1 </dev/null
echo "windows-tests: prefix ready ($(($(date +%s) - started)) s)"

# One at a time: two GUI tests on one display take each other's focus.
ctest --test-dir "$build" --output-on-failure
echo "windows-tests: done in $(($(date +%s) - started)) s"
