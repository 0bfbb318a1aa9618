# shellcheck shell=bash
# Shared steps of the end-to-end tests: a copy of vorlane and echolink-sim in
# a temporary program folder, on a private Xvfb display.
set -euo pipefail
# shellcheck source=SCRIPTDIR/../../scripts/lib/sandbox.sh
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/sandbox.sh"

fail() { echo "FAIL: $*" >&2; exit 1; }

# The copy's folder may be given a name of its own, e.g. one with accents.
setup_portable_copy() {
    top=$(mktemp -d)
    work=$top/${1:-copy}
    mkdir "$work"
    sandbox_on_exit cleanup
    cp "$VORLANE" "$ECHOLINK_SIM" "$work/"
    export XDG_RUNTIME_DIR=$top/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
}

start_display() {
    sandbox_display "$top" || fail "Xvfb did not start"
    export QT_QPA_PLATFORM=xcb
}

cleanup() {
    [ -n "${vorlane_pid:-}" ] && kill "$vorlane_pid" 2>/dev/null || true
    # quit lets the stand-in remove its socket and lock file
    [ -n "${sim_pid:-}" ] && { "$work/echolink-sim" quit >/dev/null 2>&1 || kill "$sim_pid" 2>/dev/null; } || true
    sandbox_cleanup
    rm -rf "$top"
}

start_programs() {
    "$work/echolink-sim" --headless >"$work/sim.log" 2>&1 &
    sim_pid=$!
    for _ in $(seq 50); do "$work/echolink-sim" calls >/dev/null 2>&1 && break; sleep 0.1; done
    start_vorlane
}

start_vorlane() {
    "$work/vorlane" >"$work/vorlane.log" 2>&1 &
    vorlane_pid=$!
}

wait_for_window() {
    local title=$1
    for _ in $(seq 100); do
        xwininfo -root -tree 2>/dev/null | grep -q "$title" && return 0
        sleep 0.1
    done
    xwininfo -root -tree >&2 || true
    fail "no window titled $title"
}

wait_for_exit() {
    for _ in $(seq 100); do
        if ! kill -0 "$vorlane_pid" 2>/dev/null; then
            local status=0
            wait "$vorlane_pid" || status=$?
            vorlane_pid=
            [ "$status" -eq 0 ] || { tail -n 30 "$work/vorlane.log" >&2; fail "vorlane exited with status $status"; }
            return 0
        fi
        sleep 0.1
    done
    fail "vorlane did not end"
}
