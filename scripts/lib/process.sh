# shellcheck shell=bash
# Waiting for and ending the background processes a test script starts.

running() {
    kill -0 "$1" 2>/dev/null
}

# ended PID SECONDS: waits up to SECONDS for PID to end.
ended() {
    local pid=$1 tenths=$(($2 * 10))
    while [ $tenths -gt 0 ]; do
        running "$pid" || return 0
        sleep 0.1
        tenths=$((tenths - 1))
    done
    return 1
}

# stop PID: ends PID and waits up to 10 s for it.
stop() {
    running "$1" && kill "$1" 2>/dev/null
    ended "$1" 10
}
