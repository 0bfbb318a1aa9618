#!/usr/bin/env bash
# A week beside a busy EchoLink conference, pressed into ten minutes: the real
# vorlane beside a headless echolink-sim on a private Xvfb display (with
# openbox, so that the window can be minimised), Log on and an HTML log set.
#
# Usage: bench/soak.sh [--short | --hours H] [--lines N] [--toggles N] [build-dir]
#   default    100 000 chat lines and 50 000 TX/RX toggles in tenths of at
#              least a minute each (about 10 minutes)
#   --short    10 000 lines and 5 000 toggles in about a minute (for CI)
#   --hours H  the same lines and toggles spread over H hours
# The build dir (default build/, Release recommended) is configured as
# Release when it has no build yet. Needs Xvfb, openbox, xdotool, xprop and
# python3 (bench/soak_logs.py does the counting).
#
# Each tenth sends its chat lines (mixed lengths, Japanese, "<" and "&"
# included; every line numbered, so none is like another) with
# `echolink-sim burst chat` and its toggles with `echolink-sim burst
# toggles` at the same time. A burst raises one event at a time, each with a
# ping behind it that Vorlane answers once the event has been handled and
# the repaint it asked for is done; the next event goes out after that
# answer, but not ahead of the tenth's pace. So "append" below is the time from
# sending a chat line to Vorlane having logged it twice, appended it to the
# history and painted it, seen from the stand-in. The socket's round trip and
# the stand-in's own work are in it too: the TX/RX column, events that only
# recolour a label, shows about how much. Meanwhile xdotool clicks Busy on,
# minimises the window (checking that the caption turns into the count),
# restores it and clicks Busy off, over and over.
#
# After the warm-up and after each tenth it prints: the lines in the history
# and their size in UTF-16, Vorlane's RSS (VmRSS from /proc) and how much it
# grew per 10 000 lines during the tenth beside the UTF-16 size of those
# lines, the median and 99th percentile of the append time in that tenth, the
# lateness of the ticks in that tenth against 500 ms into the second (read
# from the VORLANE_TRACE_TICKS trace on Vorlane's stderr) and Vorlane's open
# descriptors (/proc/PID/fd); the append and TX/RX figures of the start row
# are the warm-up's (100 lines into an empty history). At the end it checks
# the logs: every line sent is in the text logs and in the HTML logs exactly
# once, whole, in order, code page 932, CR LF (the days' files are read in
# date order, so a run over midnight passes). It exits non-zero on a lost,
# doubled or damaged log line, on more descriptors at the end than after the
# warm-up, or when Vorlane dies or stops answering; never on a timing.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

lines=100000
toggles=50000
seconds=600
build=$top/build
while [ $# -gt 0 ]; do
    case $1 in
    --short) lines=10000 toggles=5000 seconds=60 ;;
    --hours) seconds=$(awk -v h="${2:?--hours needs a number}" 'BEGIN { printf "%d", h * 3600 }'); shift ;;
    --lines) lines=${2:?--lines needs a number}; shift ;;
    --toggles) toggles=${2:?--toggles needs a number}; shift ;;
    -*) sed -n '/^# Usage/,/^# python3/p' "$0" >&2; exit 2 ;;
    *) build=$1 ;;
    esac
    shift
done
tenths=10
per_tenth=$((lines / tenths))
toggles_per_tenth=$((toggles / tenths))
tenth_seconds=$((seconds / tenths))
[ "$per_tenth" -gt 0 ] && [ "$toggles_per_tenth" -gt 0 ] && [ "$tenth_seconds" -gt 0 ] \
    || { echo "soak: too few lines, toggles or seconds for $tenths tenths" >&2; exit 2; }

fail() { echo "soak: $*" >&2; exit 1; }

for tool in Xvfb openbox xdotool xprop python3; do
    command -v "$tool" >/dev/null || fail "needs $tool"
done
[ -f "$build/CMakeCache.txt" ] \
    || cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j 2 --target vorlane echolink-sim >/dev/null

work=$(mktemp -d)
copy=$work/vorlane
mkdir "$copy" "$work/lines"
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
cleanup() {
    [ -n "${ui_pid:-}" ] && kill "$ui_pid" 2>/dev/null || true
    [ -n "${vorlane_pid:-}" ] && kill "$vorlane_pid" 2>/dev/null || true
    "$copy/echolink-sim" quit >/dev/null 2>&1 || true
    [ -n "${openbox_pid:-}" ] && kill "$openbox_pid" 2>/dev/null || true
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

cp "$build/vorlane" "$build/echolink-sim" "$copy/"
printf '%s\r\n' "Timer=00:03:00" "FontSize=9" "Standby=5" "SyncTX=1" "SyncRX=1" "Alarm=1" \
    "DispDate=0" "DispTime=1" "LogFile=1" "Position= 0, 0, 5640, 8460" "ELDir=$copy/" \
    "VLNDir=$copy/" "Timer01=00:00:00,00:00:00,0" "Timer02=00:00:00,00:00:00,0" \
    "HttpLog=chat%date%.html" "Speech=0" >"$copy/vln.ini"

Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(cat "$work/display") QT_QPA_PLATFORM=xcb
openbox >/dev/null 2>&1 &
openbox_pid=$!

sim() { "$copy/echolink-sim" "$@"; }
sim --headless >"$work/sim.log" 2>&1 &
for _ in $(seq 100); do sim calls >/dev/null 2>&1 && break; sleep 0.05; done
VORLANE_TRACE_TICKS=1 "$copy/vorlane" >"$work/vorlane.out" 2>"$work/vorlane.err" &
vorlane_pid=$!
for _ in $(seq 200); do
    window=$(xdotool search --pid "$vorlane_pid" --name "VLN Ver" 2>/dev/null | head -1) && [ -n "$window" ] && break
    kill -0 "$vorlane_pid" 2>/dev/null || fail "vorlane ended at start-up: $(tail -n 5 "$work/vorlane.err")"
    sleep 0.1
done
[ -n "${window:-}" ] || fail "no Vorlane window"
for _ in $(seq 100); do sim emit rx off >/dev/null 2>&1 && break; sleep 0.1; done

alive() { kill -0 "$vorlane_pid" 2>/dev/null || fail "vorlane died: $(tail -n 5 "$work/vorlane.err")"; }
rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$vorlane_pid/status"; }
fds() { ls "/proc/$vorlane_pid/fd" | wc -l; }
ticks_so_far() { grep -c '^tick ' "$work/vorlane.err" || true; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }

# Busy on, minimised, restored, Busy off, until told to stop. The caption of
# a minimised Vorlane is the count: that tells the minimising worked.
click_busy() { timeout 5 xdotool mousemove --window "$window" 245 97 click 1 >/dev/null 2>&1 || true; }
ui_cycle() {
    click_busy
    sleep 0.6
    timeout 5 xdotool windowminimize --sync "$window" >/dev/null 2>&1 || true
    sleep 1.2
    xprop -id "$window" WM_NAME 2>/dev/null | grep -qE '"[0-9]{2}:[0-9]{2}:[0-9]{2}"$' && echo minimised >>"$work/ui.log"
    timeout 5 xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    sleep 0.6
    click_busy
    echo cycle >>"$work/ui.log"
    sleep 0.6
}
ui_driver() {
    while [ ! -e "$work/ui.stop" ]; do ui_cycle; done
}

# One tenth: the chat lines and the toggles at once, paced to the tenth's
# length, the window driven beside them.
burst_out=
run_tenth() {
    local file=$1 toggle_pairs=$2 tenth_secs=$3 chat_rate toggle_rate
    chat_rate=$(awk -v n="$(wc -l <"$file")" -v s="$tenth_secs" 'BEGIN { print n / s }')
    toggle_rate=$(awk -v n="$toggle_pairs" -v s="$tenth_secs" 'BEGIN { print 2 * n / s }')
    rm -f "$work/ui.stop"
    ui_driver &
    ui_pid=$!
    sim burst toggles "$toggle_pairs" --rate "$toggle_rate" >"$work/toggles.out" 2>&1 &
    local toggles_pid=$!
    local chat_status=0 toggles_status=0
    sim burst chat --from "$file" --rate "$chat_rate" >"$work/chat.out" 2>&1 || chat_status=$?
    wait "$toggles_pid" || toggles_status=$?
    touch "$work/ui.stop"
    wait "$ui_pid" || true
    ui_pid=
    alive
    [ "$chat_status" -eq 0 ] || fail "chat burst: $(cat "$work/chat.out")"
    [ "$toggles_status" -eq 0 ] || fail "toggle burst: $(cat "$work/toggles.out")"
    burst_out="$(cat "$work/chat.out") | $(cat "$work/toggles.out")"
}
# "median p99" of a burst's round trips, in microseconds.
round_trips() { sed -E 's/.*median ([0-9]+), 99th percentile ([0-9]+),.*/\1 \2/' <<<"$1"; }

echo "== soak: $lines chat lines, $toggles TX/RX toggles, $tenths tenths of at least $tenth_seconds s"
echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) at start; build $build"

python3 "$top/bench/soak_logs.py" lines "$work/lines" "$tenths" "$per_tenth"
printf 'JA1ABC>#warm-up %d こんにちは\n' $(seq 100) >"$work/lines/warm-up.txt"
sent_files=("$work/lines/warm-up.txt")

# Warm-up: whatever Vorlane opens once (fonts, the logs' folder) is open
# before the descriptors are counted.
run_tenth "$work/lines/warm-up.txt" 50 5
read -r append_median append_p99 <<<"$(round_trips "${burst_out%% | *}")"
read -r toggle_median _ <<<"$(round_trips "${burst_out##* | }")"
sleep 1
fds_start=$(fds)
ls -l "/proc/$vorlane_pid/fd" >"$work/fds.start" 2>/dev/null || true
rss_start=$(rss_kib)
ticks_start=$(ticks_so_far)
history=$(python3 "$top/bench/soak_logs.py" history "${sent_files[@]}")
in_history=100
started=$SECONDS

printf '\n%-6s %8s %9s %8s %17s %15s %9s %19s %4s\n' "" "history" "UTF-16" "RSS" "RSS per 10k lines" \
    "append (us)" "TX/RX" "tick late (ms)" "fds"
printf '%-6s %8s %9s %8s %17s %15s %9s %19s %4s\n' "tenth" "lines" "MiB" "MiB" "(its text) MiB" \
    "median   p99" "median" "median  p99  max" ""
printf '%-6s %8d %9s %8s %17s %7d %7d %9d %19s %4d\n' start "$in_history" "$(mib $((history / 1024)))" \
    "$(mib "$rss_start")" "" "$append_median" "$append_p99" "$toggle_median" "" "$fds_start"

rss_before=$rss_start
ticks_before=$ticks_start
for tenth in $(seq "$tenths"); do
    file=$work/lines/tenth-$(printf %02d "$tenth").txt
    tenth_bytes=$(python3 "$top/bench/soak_logs.py" history "$file")
    tenth_started=$SECONDS
    run_tenth "$file" "$toggles_per_tenth" "$tenth_seconds"
    sent_files+=("$file")
    while [ $((SECONDS - tenth_started)) -lt "$tenth_seconds" ]; do sleep 0.2; done
    rss=$(rss_kib)
    ticks=$(ticks_so_far)
    history=$((history + tenth_bytes))
    in_history=$((in_history + per_tenth))
    read -r append_median append_p99 <<<"$(round_trips "${burst_out%% | *}")"
    read -r toggle_median _ <<<"$(round_trips "${burst_out##* | }")"
    read -r _ late_median late_p99 late_max _ _ _ \
        <<<"$(python3 "$top/bench/soak_logs.py" ticks "$work/vorlane.err" "$ticks_before")"
    printf '%-6s %8d %9s %8s %8s (%6s) %7d %7d %9d %7d %4d %6d %4d\n' "$tenth/$tenths" "$in_history" \
        "$(mib $((history / 1024)))" "$(mib "$rss")" \
        "$(awk -v d="$((rss - rss_before))" -v n="$per_tenth" 'BEGIN { printf "%.1f", d / 1024 * 10000 / n }')" \
        "$(awk -v b="$tenth_bytes" -v n="$per_tenth" 'BEGIN { printf "%.2f", b / 1048576 * 10000 / n }')" \
        "$append_median" "$append_p99" "$toggle_median" "$late_median" "$late_p99" "$late_max" "$(fds)"
    rss_before=$rss
    ticks_before=$ticks
done
elapsed=$((SECONDS - started))
fds_end=$(fds)
ls -l "/proc/$vorlane_pid/fd" >"$work/fds.end" 2>/dev/null || true
rss_end=$(rss_kib)

echo
read -r tick_count late_median late_p99 late_max late_min lost doubled \
    <<<"$(python3 "$top/bench/soak_logs.py" ticks "$work/vorlane.err" "$ticks_start")"
echo "ran $elapsed s; load average $(cut -d' ' -f1-3 /proc/loadavg) at the end"
awk -v r="$((rss_end - rss_start))" -v h="$history" -v n="$((in_history - 100))" 'BEGIN {
    printf "memory: RSS grew %.1f MiB over %d lines: %.1f MiB per 10 000 lines, against %.2f MiB of their text in UTF-16 (%.1f times)\n",
        r / 1024, n, r / 1024 * 10000 / n, h / 1048576 * 10000 / n, r * 1024 / h }'
echo "ticks: $tick_count; late by median $late_median ms, 99th percentile $late_p99 ms, at most $late_max ms (earliest $late_min ms); seconds without a tick: $lost; seconds with two: $doubled"
cycles=$(grep -c '^cycle' "$work/ui.log" || true)
minimised=$(grep -c '^minimised' "$work/ui.log" || true)
busy_calls=$(sim calls | grep -c '^BusyFlagA ' || true)
echo "window: minimised and restored $cycles times with xdotool under openbox (caption showed the count $minimised times); Busy clicked $((2 * cycles)) times, EchoLink got $busy_calls BusyFlagA calls"
echo "descriptors: $fds_start after the warm-up, $fds_end at the end"

sim emit closing >/dev/null
for _ in $(seq 100); do kill -0 "$vorlane_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$vorlane_pid" 2>/dev/null && fail "vorlane did not end on Closing"
wait "$vorlane_pid" || fail "vorlane exited with status $?"
vorlane_pid=

status=0
python3 "$top/bench/soak_logs.py" check "$copy" "${sent_files[@]}" || status=1
if [ "$fds_end" -gt "$fds_start" ]; then
    echo "descriptor leak: $fds_start open after the warm-up, $fds_end at the end"
    diff "$work/fds.start" "$work/fds.end" | grep '^[<>]' | sed 's/^/  /' || true
    status=1
fi
[ "$status" -eq 0 ] && echo "soak passed" || echo "soak FAILED"
exit "$status"
