#!/bin/bash
# Tests the Windows EchoLink binding (src/echolink/windows), cross-built with
# MinGW-w64 by tests/wine/build.sh, under Wine against the mock EchoLink,
# hosted out of process (an EXE, as EchoLink is; 64-bit, then 32-bit like
# the real EchoLink, for a 64-bit and a 32-bit client) and in process (a
# DLL), in a fresh 64-bit prefix. Each out-of-process server is also run
# registered with /RefuseDual, without EchoLink's interfaces, as a 64-bit
# client sees EchoLink on Windows, and the DLL told to refuse them: the
# binding must go through IDispatch.
# Needs g++-mingw-w64-x86-64, mingw-w64-tools, libwine-dev, wine64 and wine;
# the 32-bit runs also g++-mingw-w64-i686-posix and wine32:i386
# (scripts/install-wine32.sh), and says so when they cannot run. Exits
# non-zero on any failure.
# Usage: tests/wine/binding-tests.sh
set -u

repo=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=SCRIPTDIR/../../scripts/lib/sandbox.sh
. "$repo/scripts/lib/sandbox.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/vorlane-wine.XXXXXX")
cleanup() {
    sandbox_cleanup
    rm -rf "$work"
}
sandbox_on_exit cleanup
# Nothing here needs a display.
unset DISPLAY WAYLAND_DISPLAY
sandbox_wine_prefix "$work"
started=$(date +%s)
failed=()

elapsed() {
    echo "$(($(date +%s) - started)) s"
}

fail() {
    echo "binding-tests: FAIL: $1 ($(elapsed))"
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

# Arguments: the run's name, the test program, its mode and options. Both a
# zero exit and the final PASS line are required, since Wine can report a
# crash as success.
run_tests() {
    local name=$1 client=$2 mode=$3
    shift 2
    logged "test-$name" timeout 120 wine "$work/build/$client" "$@"
    local status=$?
    if [ $status -ne 0 ] || ! grep -q "^PASS: EchoLink binding, $mode," "$work/test-$name.log"; then
        failed+=("$name (status $status)")
    fi
    echo "binding-tests: $name run done ($(elapsed))"
}

# A server still running serves its class ahead of the registry.
wait_mock_gone() {
    for _ in $(seq 50); do
        [ "$(timeout 30 wine WinProbe.exe count MockEchoLink.exe | tr -d '\r')" = 0 ] && return 0
        sleep 0.2
    done
    return 1
}

have_wine32() {
    dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"
}

# The prefix is made while the compiler runs.
sandbox_wine_boot
step build "$repo/tests/wine/build.sh" "$work/build"
echo "binding-tests: cross-built ($(elapsed))"
logged prefix sandbox_wine_ready || fail "the prefix could not be made"
show wineboot
echo "binding-tests: fresh 64-bit prefix ready ($(elapsed))"

cd "$work/build" || fail "no build folder"
step register-exe timeout 60 wine MockEchoLink.exe /RegServer
run_tests out-of-process BindingTest.exe out-of-process
wait_mock_gone || fail "the 64-bit mock did not quit"
step register-exe-refusing timeout 60 wine MockEchoLink.exe /RegServer /RefuseDual
run_tests out-of-process-refused BindingTest.exe out-of-process refused
# The 64-bit client against the 32-bit server, as with the real EchoLink.
if [ ! -f win32/MockEchoLink.exe ]; then
    echo "binding-tests: no 32-bit mock built: out-of-process 32-bit run NOT done"
elif ! have_wine32; then
    echo "binding-tests: no wine32:i386 (scripts/install-wine32.sh): out-of-process 32-bit run NOT done"
else
    step unregister-exe timeout 60 wine MockEchoLink.exe /UnregServer
    wait_mock_gone || fail "the 64-bit mock did not quit"
    step register-exe32 timeout 60 wine win32/MockEchoLink.exe /RegServer
    logged bits timeout 60 wine MockControl.exe bits
    if [ "$(tr -d '\r' <"$work/bits.log")" = 32 ]; then
        run_tests out-of-process-32-bit BindingTest.exe out-of-process
        run_tests 32-bit-client win32/BindingTest.exe out-of-process
        wait_mock_gone || fail "the 32-bit mock did not quit"
        step register-exe32-refusing timeout 60 wine win32/MockEchoLink.exe /RegServer /RefuseDual
        run_tests out-of-process-32-bit-refused BindingTest.exe out-of-process refused
        run_tests 32-bit-client-refused win32/BindingTest.exe out-of-process refused
    else
        failed+=("out-of-process-32-bit (the server is not a 32-bit process)")
    fi
fi
# With both registered, COM prefers the DLL.
step register-dll timeout 60 wine regsvr32 /s MockEchoLink.dll
run_tests in-process BindingTest.exe in-process
run_tests in-process-refused BindingTest.exe in-process refused

[ ${#failed[@]} -eq 0 ] || fail "EchoLink binding tests failed: ${failed[*]}"
echo "binding-tests: PASS: EchoLink binding out of process and in process ($(elapsed))"
