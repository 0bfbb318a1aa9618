#!/usr/bin/env bash
# What Vorlane costs beside EchoLink, measured side by side on this machine
# (a benchmark, not a test: it prints figures and judges nothing).
#
# Usage: bench/footprint.sh [build-dir]   (default build; builds vorlane,
#        echolink-sim and bench/bare_window there, Release recommended)
# Needs: Xvfb, valgrind, python3 and GNU time (/usr/bin/time).
# RUNS (default 10), IDLE_SECONDS (60) and TICKS (10) change the lengths.
#
# 1. Start-up and peak memory against bench/bare_window, a bare Qt window
#    with 90 painted rectangles that quits once painted. Each program starts
#    on a private Xvfb display; a launcher notes CLOCK_MONOTONIC and execs
#    /usr/bin/time, which runs the program and reports its peak RSS. Qt's own
#    painting log (qt.widgets.painting, stamped with %{time boot}, the same
#    clock) marks the first flush of the painted top-level window, so
#    start-up = that flush - launch, the same for both programs. Vorlane runs
#    as a portable copy without vln.ini beside an already running headless
#    stand-in, and is ended with `echolink-sim emit closing` once it has
#    painted. The runs alternate between the two programs after one
#    unmeasured warm-up each; medians are printed.
# 2. Instructions per tick: Vorlane under callgrind, its limit set to
#    00:01:30 so that every tick of a transmission moves the level by one
#    lamp and repaints the whole lamp bar. Callgrind dumps its counters each
#    time the tick (TickScheduler::fire) begins, so one dump holds exactly
#    one tick period with everything the process did in it: the timer event,
#    the tick's handlers, the callsign call to the stand-in, the window
#    caption, the repaints that follow in the event loop and any idle
#    wake-ups until the next tick. TICKS periods are taken from 12 s after
#    `emit tx on`, when every digit of the count has been drawn once; the
#    median is printed, with the range and how many periods repainted the
#    lamp bar once.
# 3. Idle CPU: a portable copy, not transmitting, left alone for
#    IDLE_SECONDS; utime + stime from /proc/<pid>/stat before and after, as a
#    share of one core (the stand-in's share is printed beside it). Those
#    are sampled in clock ticks of 10 ms, so the exact run time of the
#    threads from /proc/<pid>/task/*/schedstat is printed too.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=SCRIPTDIR/../scripts/lib/sandbox.sh
. "$top/scripts/lib/sandbox.sh"
build=$(realpath "${1:-$top/build}")
runs=${RUNS:-10}
idle_seconds=${IDLE_SECONDS:-60}
ticks=${TICKS:-10}

fail() { echo "footprint: $*" >&2; exit 1; }

for tool in Xvfb valgrind python3 /usr/bin/time; do
    command -v "$tool" >/dev/null || fail "needs $tool"
done
[ -f "$build/CMakeCache.txt" ] || fail "no configured build in $build"
cmake --build "$build" --target vorlane echolink-sim bare_window >/dev/null

work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
cleanup() {
    for pid in ${vorlane_pid:-} ${valgrind_pid:-}; do kill "$pid" 2>/dev/null || true; done
    for copy in "$work"/copy-*; do
        [ -x "$copy/echolink-sim" ] && "$copy/echolink-sim" quit >/dev/null 2>&1 || true
    done
    sandbox_cleanup
    rm -rf "$work"
}
sandbox_on_exit cleanup

sandbox_display "$work" || fail "Xvfb did not start"
export QT_QPA_PLATFORM=xcb

# A portable copy with its own stand-in already serving it.
new_copy() {
    local copy=$work/copy-$1
    mkdir "$copy"
    cp "$build/vorlane" "$build/echolink-sim" "$copy/"
    "$copy/echolink-sim" --headless >/dev/null 2>&1 &
    echo $! >"$copy/sim.pid"
    for _ in $(seq 100); do "$copy/echolink-sim" calls >/dev/null 2>&1 && break; sleep 0.05; done
    "$copy/echolink-sim" calls >/dev/null 2>&1 || fail "the stand-in in $copy does not answer"
    echo "$copy"
}

# Retries until Vorlane's session takes the event (emit fails until then).
emit() {
    local copy=$1 deadline=$((SECONDS + $2))
    shift 2
    until "$copy/echolink-sim" emit "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$deadline" ] || fail "vorlane in $copy never took emit $*"
        sleep 0.05
    done
}

wait_exit() {
    timeout "$2" tail --pid="$1" -f /dev/null || fail "process $1 did not exit"
    wait "$1" 2>/dev/null || true
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Runs a program with the painting log on; its log starts with the launch
# time and /usr/bin/time writes the peak RSS (KiB) to $2.
launch() {
    local log=$1 rss=$2
    shift 2
    QT_FORCE_STDERR_LOGGING=1 QT_LOGGING_RULES="qt.widgets.painting=true" \
    QT_MESSAGE_PATTERN="%{time boot} %{category} %{message}" \
        python3 -c 'import os, sys, time
print("launch %.6f" % time.monotonic(), flush=True)
os.execv("/usr/bin/time", ["time", "-o", sys.argv[1], "-f", "%M"] + sys.argv[2:])' \
        "$rss" "$@" >"$log" 2>&1
}

first_flush() { grep -m1 "qt.widgets.painting Flushing top level" "$1" | awk '{ print $1 }'; }

# Prints "start-up-ms peak-rss-KiB" of one run.
measure() {
    local log=$1 rss=$2 flush
    flush=$(first_flush "$log")
    [ -n "$flush" ] || fail "no painted window in $log"
    awk -v flush="$flush" -v rss="$(tail -n 1 "$rss")" \
        '/^launch / { printf "%.1f %d\n", (flush - $2) * 1000, rss; exit }' "$log"
}

run_bare() {
    launch "$work/bare.log" "$work/bare.rss" "$build/bench/bare_window" &
    wait_exit $! 30
    measure "$work/bare.log" "$work/bare.rss"
}

run_vorlane() {
    local copy=$1
    rm -f "$copy/vln.ini"
    launch "$work/vorlane.log" "$work/vorlane.rss" "$copy/vorlane" &
    vorlane_pid=$!
    # Blocks on the log rather than polling it, which would take the CPU
    # from the start-up being measured.
    timeout 20 tail -n +1 -f --pid="$vorlane_pid" "$work/vorlane.log" 2>/dev/null \
        | grep -q -m1 "qt.widgets.painting Flushing top level" || true
    emit "$copy" 20 closing
    wait_exit "$vorlane_pid" 20
    vorlane_pid=
    measure "$work/vorlane.log" "$work/vorlane.rss"
}

echo "== start-up to the first painted window, and peak memory ($runs runs each)"
copy=$(new_copy startup)
run_bare >/dev/null
run_vorlane "$copy" >/dev/null
for _ in $(seq "$runs"); do
    run_bare >>"$work/bare.runs"
    run_vorlane "$copy" >>"$work/vorlane.runs"
done
bare_ms=$(awk '{ print $1 }' "$work/bare.runs" | median)
bare_kib=$(awk '{ print $2 }' "$work/bare.runs" | median)
vorlane_ms=$(awk '{ print $1 }' "$work/vorlane.runs" | median)
vorlane_kib=$(awk '{ print $2 }' "$work/vorlane.runs" | median)
awk -v bm="$bare_ms" -v bk="$bare_kib" -v vm="$vorlane_ms" -v vk="$vorlane_kib" 'BEGIN {
    printf "bare_window   start-up %7.1f ms   peak RSS %6.1f MiB\n", bm, bk / 1024
    printf "vorlane       start-up %7.1f ms   peak RSS %6.1f MiB\n", vm, vk / 1024
    printf "ratio vorlane/bare: start-up %.2f   peak memory %.2f   (aim: both <= 1.3)\n", vm / bm, vk / bk
}'

echo
echo "== CPU of an idle Vorlane over $idle_seconds s"
copy=$(new_copy idle)
"$copy/vorlane" >/dev/null 2>&1 &
vorlane_pid=$!
emit "$copy" 20 rx off    # connected; an RX off changes nothing while idle
sleep 3
sim_pid=$(cat "$copy/sim.pid")
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
run_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ ns += $1 } END { printf "%d\n", ns }'; }
v0=$(cpu_ticks "$vorlane_pid"); s0=$(cpu_ticks "$sim_pid"); r0=$(run_ns "$vorlane_pid")
sleep "$idle_seconds"
v1=$(cpu_ticks "$vorlane_pid"); s1=$(cpu_ticks "$sim_pid"); r1=$(run_ns "$vorlane_pid")
awk -v v="$((v1 - v0))" -v s="$((s1 - s0))" -v r="$((r1 - r0))" -v hz="$(getconf CLK_TCK)" \
    -v t="$idle_seconds" 'BEGIN {
    printf "vorlane idle CPU: %.3f %% of one core (aim: < 0.1 %%); the stand-in: %.3f %%\n",
        v * 100 / hz / t, s * 100 / hz / t
    printf "  (exact run time of all its threads, from schedstat: %.3f %%)\n", r / 1e7 / t
}'
emit "$copy" 20 closing
wait_exit "$vorlane_pid" 20
vorlane_pid=

echo
echo "== instructions per tick during a transmission (callgrind, $ticks ticks)"
copy=$(new_copy tick)
printf '%s\r\n' "Timer=00:01:30" "FontSize=9" "Standby=5" "SyncTX=1" "SyncRX=1" "Alarm=0" \
    "DispDate=0" "DispTime=1" "LogFile=0" "Position= 0, 0, 5640, 8460" "ELDir=$copy/" \
    "VLNDir=$copy/" "Timer01=00:00:00,00:00:00,0" "Timer02=00:00:00,00:00:00,0" \
    "HttpLog=" "Speech=0" >"$copy/vln.ini"
valgrind --tool=callgrind --dump-before='TickScheduler::fire*' \
    --callgrind-out-file="$work/callgrind.out" "$copy/vorlane" >"$work/valgrind.log" 2>&1 &
valgrind_pid=$!
emit "$copy" 180 tx on
# Steady state: by then every digit of the count has been drawn once.
sleep 12
dumps() { ls "$work"/callgrind.out.* 2>/dev/null | wc -l; }
first=$(($(dumps) + 1))
last=$((first + ticks - 1))
for _ in $(seq $((ticks * 10 + 100))); do [ "$(dumps)" -ge "$last" ] && break; sleep 0.2; done
[ "$(dumps)" -ge "$last" ] || fail "callgrind wrote $(dumps) dumps, not $last"
emit "$copy" 20 closing
wait_exit "$valgrind_pid" 120
valgrind_pid=

# Calls of a function in one dump; names are compressed to "(id)" after
# their first use, by fn= and cfn= alike.
calls_of() {
    awk -v want="$1" '
        /^c?fn=/ {
            id = $1; sub(/^c?fn=/, "", id); name = $0; sub(/^c?fn=\([0-9]+\) ?/, "", name)
            if (name != "") names[id] = name
            if ($0 ~ /^cfn=/) callee = (id in names) ? names[id] : name
            next
        }
        /^calls=/ { if (index(callee, want) == 1) { split($1, c, "="); n += c[2] } }
        END { print n + 0 }' "$2"
}
for part in $(seq "$first" "$last"); do
    dump=$work/callgrind.out.$part
    printf '%d %d\n' "$(awk '/^(summary|totals):/ { print $2; exit }' "$dump")" \
        "$(calls_of "LampBar::paintEvent" "$dump")"
done >"$work/ticks"
sort -n "$work/ticks" | awk -v n="$ticks" '
    { ir[NR] = $1; painted += ($2 == 1) }
    END {
        median = (n % 2) ? ir[(n + 1) / 2] : (ir[n / 2] + ir[n / 2 + 1]) / 2
        printf "%d ticks, %d of them with one lamp bar repaint; instructions per tick %d to %d\n",
            n, painted, ir[1], ir[n]
        printf "instructions per tick (median): %.0f (aim: <= 500000)\n", median
    }'
