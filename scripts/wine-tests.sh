#!/bin/bash
# The Windows EchoLink binding, cross-built with MinGW-w64 and tested under
# Wine against the mock EchoLink, hosted out of process (an EXE, as EchoLink
# is) and in process (a DLL). Needs g++-mingw-w64-x86-64, mingw-w64-tools,
# libwine-dev, wine64 and wine. Exits non-zero on any failure.
set -u

repo=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/vorlane-wine.XXXXXX")
# Nothing here needs a display.
unset DISPLAY WAYLAND_DISPLAY
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A crashed client can leave the out-of-process mock running: end the
# prefix's wine processes whatever happens.
trap 'timeout 30 wineserver -k >/dev/null 2>&1; rm -rf "$work"' EXIT
started=$(date +%s)
failed=()

elapsed() {
    echo "$(($(date +%s) - started)) s"
}

fail() {
    echo "wine-tests: FAIL: $1 ($(elapsed))"
    exit 1
}

# Shows a step's log without Debian's note about the missing 32-bit Wine.
show() {
    grep -v -e 'wine32 is missing' -e 'multiarch needs' -e 'dpkg --add-architecture' \
        -e 'apt-get install wine32' "$work/$1.log"
}

# Runs a command with its output in a log file, then shows the log. Returns
# the command's status.
logged() {
    local name=$1
    shift
    "$@" >"$work/$name.log" 2>&1
    local status=$?
    show "$name"
    return $status
}

step() {
    local name=$1
    logged "$@" || fail "$name exited with status $?"
}

# Both a zero exit and the final PASS line are required, since Wine can
# report a crash as success.
run_tests() {
    local mode=$1
    logged "test-$mode" timeout 120 wine "$work/build/BindingTest.exe" "$mode"
    local status=$?
    if [ $status -ne 0 ] || ! grep -q "^PASS: EchoLink binding, $mode," "$work/test-$mode.log"; then
        failed+=("$mode (status $status)")
    fi
    echo "wine-tests: $mode run done ($(elapsed))"
}

# The prefix is made while the compiler runs.
timeout 180 wineboot -i >"$work/wineboot.log" 2>&1 &
boot=$!
step build "$repo/tests/wine/build.sh" "$work/build"
echo "wine-tests: cross-built ($(elapsed))"
wait $boot
status=$?
show wineboot
if [ $status -ne 0 ]; then
    # Seen once, not reproduced: a silent failure of the background boot.
    echo "wine-tests: wineboot exited with status $status; booting once more"
    step wineboot-again timeout 180 wineboot -i
fi
# Without this wait out-of-process activation hangs.
step wineserver-wait timeout 120 wineserver -w
echo "wine-tests: fresh 64-bit prefix ready ($(elapsed))"

cd "$work/build" || fail "no build folder"
step register-exe timeout 60 wine MockEchoLink.exe /RegServer
run_tests out-of-process
# With both registered, COM prefers the DLL.
step register-dll timeout 60 wine regsvr32 /s MockEchoLink.dll
run_tests in-process

[ ${#failed[@]} -eq 0 ] || fail "EchoLink binding tests failed: ${failed[*]}"
echo "wine-tests: PASS: EchoLink binding out of process and in process ($(elapsed))"
