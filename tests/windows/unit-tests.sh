#!/usr/bin/env bash
# Tests Vorlane's code as built for Windows: the QtTest unit tests, built as
# Windows programs against the static Qt for Windows (scripts/build-windows.sh)
# and run by CTest under Wine, each with Qt's windows platform on a private
# X display, in a fresh 64-bit prefix with 32-bit Wine. Exits non-zero when a
# test fails.
# Usage: tests/windows/unit-tests.sh [build dir]   (default build-windows)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build-windows}
started=$(date +%s)

# Wine's own faces in menus and message boxes, as a Linux user's Wine has them.
"$top/scripts/install-deps.sh" wine64 wine xvfb xauth fonts-wine
# The programs are 32-bit, as the release is.
"$top/scripts/install-wine32.sh"
"$top/scripts/build-windows.sh" "$build" all

# shellcheck source=SCRIPTDIR/../../scripts/lib/sandbox.sh
. "$top/scripts/lib/sandbox.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/vorlane-wintests.XXXXXX")
cleanup() { sandbox_cleanup; rm -rf "$work"; }
sandbox_on_exit cleanup
sandbox_display "$work"
sandbox_wine_prefix "$work"
sandbox_wine_ready
# One wineserver for the whole run, so each test starts in a fraction of
# the time. Its background programs start now, holding no pipe of ctest's:
# they live as long as the server, and ctest would wait for them to close.
wineserver -p
timeout 60 wine cmd /c exit >/dev/null 2>&1 </dev/null
echo "windows-unit-tests: prefix ready ($(($(date +%s) - started)) s)"

# One at a time: two GUI tests on one display take each other's focus.
ctest --test-dir "$build" --output-on-failure
echo "windows-unit-tests: done in $(($(date +%s) - started)) s"
