#!/usr/bin/env bash
# bench/soak.sh for the Windows program: the real 32-bit vorlane.exe under
# Wine, in a fresh prefix on a private Xvfb display, beside the 32-bit mock
# EchoLink registered out of process as EchoLink is, Log on and an HTML log
# set, for about ten minutes of events as fast as Vorlane takes them.
#
# Usage: bench/soak-wine.sh [--short | --hours H] [--lines N] [--toggles N] [build-dir]
#   default    30 000 chat lines and 15 000 TX/RX toggles in tenths of at
#              least a minute each (about 10 minutes)
#   --short    1 500 lines and 750 toggles in about a minute (for CI)
#   --hours H  the same lines and toggles spread over H hours
# The build dir (default build-windows/) holds vorlane.exe; it is built there
# with scripts/build-windows.sh when missing. Needs wine32 (installed with
# scripts/install-wine32.sh), and python3 (bench/soak_logs.py).
#
# Each tenth sends its chat lines (the same as bench/soak.sh's: mixed
# lengths, Japanese, "<" and "&" included, every line numbered) with
# `MockControl burst chat` and its toggles with `MockControl burst toggles`
# at the same time, both not ahead of the tenth's pace. A burst fires one
# event at a time: the mock raises it into Vorlane, whose sink posts it to
# its event window and returns. The next event's call is queued behind that
# message in Vorlane's one message loop, so "fire" below, how long one
# MockControl Fire takes, is about how long Vorlane took over the event
# before it (logging it twice, appending it to the history, painting),
# plus Wine's cross-process calls: the TX/RX column, events that only
# recolour a label, shows about how much. A tenth is over when its lines are
# all in the text log ("drain": how long after the bursts that took), or
# when the log has not grown for 30 s.
# Meanwhile WinProbe presses Busy, minimises the window (checking that the
# caption turns into the count), restores it and presses Busy again, over
# and over. The warm-up (200 lines) covers every kind of line first.
#
# After the warm-up and after each tenth it prints: the lines in the history
# and their size in UTF-16; what vorlane.exe holds, read by `WinProbe
# resources` from outside the process: kernel handles, GDI objects, USER
# objects (under Wine, which leaves GetGuiResources and the handle count
# stubs, counted in the system's handle list, the process's GDI handle table
# and its windows), private bytes (the commit charge; anonymous resident
# memory under Wine) and working set, with the growth of the private bytes
# per 10 000 lines; the fire times; the drain; and how late the ticks came
# against 500 ms into the second (VORLANE_TRACE_TICKS=1). At the end it
# checks the logs as bench/soak.sh does: every line sent is in the text logs
# and in the HTML logs exactly once, whole, in order, code page 932, CR LF.
# It exits non-zero on a lost, doubled or damaged log line, on more handles,
# GDI or USER objects at the end than after the warm-up, or when Vorlane
# dies or stops taking events; never on a timing.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

lines=30000
toggles=15000
seconds=600
build=$top/build-windows
while [ $# -gt 0 ]; do
    case $1 in
    --short) lines=1500 toggles=750 seconds=45 ;;
    --hours) seconds=$(awk -v h="${2:?--hours needs a number}" 'BEGIN { printf "%d", h * 3600 }'); shift ;;
    --lines) lines=${2:?--lines needs a number}; shift ;;
    --toggles) toggles=${2:?--toggles needs a number}; shift ;;
    -*) sed -n '/^# Usage/,/^# scripts\/install-wine32/p' "$0" >&2; exit 2 ;;
    *) build=$1 ;;
    esac
    shift
done
tenths=10
per_tenth=$((lines / tenths))
toggles_per_tenth=$((toggles / tenths))
tenth_seconds=$((seconds / tenths))
[ "$per_tenth" -gt 0 ] && [ "$toggles_per_tenth" -gt 0 ] && [ "$tenth_seconds" -gt 0 ] \
    || { echo "soak-wine: too few lines, toggles or seconds for $tenths tenths" >&2; exit 2; }

fail() { echo "soak-wine: $*" >&2; exit 1; }

"$top/scripts/install-deps.sh" g++-mingw-w64-x86-64-posix mingw-w64-tools libwine-dev wine64 wine \
    xvfb xauth fonts-wine python3 >/dev/null || fail "install-deps.sh failed"
"$top/scripts/install-wine32.sh" >/dev/null || fail "needs wine32 and the 32-bit MinGW-w64 compiler"
[ -f "$build/vorlane.exe" ] || "$top/scripts/build-windows.sh" "$build" >/dev/null
[ -f "$build/vorlane.exe" ] || fail "no vorlane.exe in $build"

# shellcheck source=SCRIPTDIR/../scripts/lib/sandbox.sh
. "$top/scripts/lib/sandbox.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/vorlane-soak-wine.XXXXXX")
cleanup() {
    [ -n "${ui_pid:-}" ] && kill "$ui_pid" 2>/dev/null || true
    sandbox_cleanup
    rm -rf "$work"
}
sandbox_on_exit cleanup
export LC_ALL=C.UTF-8
sandbox_display "$work" 1024x768x24 cookie || fail "no Xvfb display could be started"
sandbox_wine_prefix "$work"
sandbox_wine_boot
tools=$work/tools
"$top/tests/wine/build.sh" "$tools" >"$work/tools.log" 2>&1 \
    || { tail -n 20 "$work/tools.log"; fail "tests/wine/build.sh failed"; }
[ -f "$tools/win32/MockEchoLink.exe" ] || fail "no 32-bit mock EchoLink was built"
sandbox_wine_ready || fail "the prefix could not be made"

drive=$WINEPREFIX/drive_c
program=$drive/vorlane
mkdir -p "$program" "$drive/Program Files/Q7MXZ/EchoLink" "$work/lines"
cp "$build/vorlane.exe" "$program/"
logs=$program/Logs

control() { timeout "$((tenth_seconds * 5 + 600))" wine "$tools/MockControl.exe" "$@"; }
probe() { timeout 60 wine "$tools/WinProbe.exe" "$@"; }

# The mock outlives the run a little, should Vorlane die holding it.
lifetime=$((seconds * 3 + 1800))
[ "$lifetime" -le 604800 ] || lifetime=604800
timeout 60 wine "$tools/win32/MockEchoLink.exe" /RegServer /Lifetime "$lifetime" \
    || fail "registering the mock failed"

folder=$(winepath -w "$program")
printf '%s\r\n' "Timer=00:03:00" "FontSize=9" "Standby=5" "SyncTX=1" "SyncRX=1" "Alarm=1" \
    "DispDate=0" "DispTime=1" "LogFile=1" "Position= 0, 0, 5640, 8460" \
    'ELDir=C:\Program Files\Q7MXZ\EchoLink\' "VLNDir=${folder%\\}\\" \
    "Timer01=00:00:00,00:00:00,0" "Timer02=00:00:00,00:00:00,0" "HttpLog=chat%date%.html" \
    "Speech=0" | iconv -f UTF-8 -t CP932 >"$program/vln.ini"

(cd "$drive" && VORLANE_TRACE_TICKS=1 exec wine 'C:\vorlane\vorlane.exe') \
    >"$work/vorlane.out" 2>"$work/vorlane.err" &
vorlane_pid=$!
# What vorlane.exe said last, the tick trace left out.
last_words() { grep -v '^tick ' "$work/vorlane.err" | tail -n 5; }
# Its window comes up once it has the mock: a MockControl started before
# that can have COM start a second mock beside the first.
probe wait-title vorlane.exe 'VLN Ver*' 50 >/dev/null || fail "no Vorlane window: $(last_words)"
timeout 120 wine "$tools/MockControl.exe" wait-sinks 1 90 >/dev/null \
    || fail "vorlane.exe did not connect to the mock: $(last_words)"
[ "$(control bits)" = 32 ] || fail "the mock EchoLink is not a 32-bit server"

alive() {
    kill -0 "$vorlane_pid" 2>/dev/null || fail "vorlane.exe died: $(last_words)"
}
# "handles N gdi N user N private BYTES working BYTES"
resources() { probe resources vorlane.exe 2>>"$work/probe.err"; }
# The same, each the least of three reads, for the counts that are compared:
# a repaint caught halfway holds a region or two more.
settled_resources() {
    local read
    for read in 1 2 3; do
        resources || return 1
        [ $read = 3 ] || sleep 0.3
    done | awk '{ for (i = 2; i <= NF; i += 2) if (NR == 1 || $i < least[i]) least[i] = $i }
        END { for (i = 2; i <= NF; i += 2) printf "%s %s%s", $(i - 1), least[i], i < NF ? " " : "\n" }'
}
field() { awk -v name="$1" '{ for (i = 1; i < NF; i++) if ($i == name) print $(i + 1) }' <<<"$2"; }
mib() { awk -v b="$1" 'BEGIN { printf "%.1f", b / 1048576 }'; }
ticks_so_far() { grep -c '^tick ' "$work/vorlane.err" || true; }
logged() { cat "$logs"/*.txt 2>/dev/null | wc -l; }

# Busy pressed, minimised, restored, Busy pressed again, until told to stop.
# Restored, the window gives the focus back to Busy, where it was put once
# before the warm-up. The caption of a minimised Vorlane is the count. Told
# to stop, a cycle ends without its pauses, so that Busy is off again.
pause() { [ -e "$work/ui.stop" ] || sleep "$1"; }
ui_cycle() {
    probe keys vorlane.exe "{SPACE}" >/dev/null 2>&1 || true
    pause 0.6
    probe minimize vorlane.exe >/dev/null 2>&1 || true
    pause 1.2
    probe wait-title vorlane.exe '??:??:??' 1 >/dev/null 2>&1 && echo minimised >>"$work/ui.log"
    probe restore vorlane.exe >/dev/null 2>&1 || true
    pause 0.6
    probe keys vorlane.exe "{SPACE}" >/dev/null 2>&1 || true
    echo cycle >>"$work/ui.log"
    pause 0.6
}
ui_driver() {
    while [ ! -e "$work/ui.stop" ]; do ui_cycle; done
}

# One tenth: the chat lines and the toggles at once, not ahead of the
# tenth's pace, the window driven beside them; then until its lines are all
# in the text log (drain: how long that took, "-" when they never were).
chat_out='' toggles_out='' drain=''
run_tenth() {
    local file=$1 toggle_pairs=$2 tenth_secs=$3 expected=$4 chat_rate toggle_rate
    chat_rate=$(awk -v n="$(wc -l <"$file")" -v s="$tenth_secs" 'BEGIN { print n / s }')
    toggle_rate=$(awk -v n="$toggle_pairs" -v s="$tenth_secs" 'BEGIN { print 2 * n / s }')
    rm -f "$work/ui.stop"
    ui_driver &
    ui_pid=$!
    control burst toggles "$toggle_pairs" "$toggle_rate" >"$work/toggles.out" 2>&1 &
    local toggles_pid=$!
    local chat_status=0 toggles_status=0
    control burst chat "$(winepath -w "$file")" "$chat_rate" >"$work/chat.out" 2>&1 || chat_status=$?
    wait "$toggles_pid" || toggles_status=$?
    touch "$work/ui.stop"
    wait "$ui_pid" || true
    ui_pid=
    alive
    [ "$chat_status" -eq 0 ] || fail "chat burst: $(cat "$work/chat.out")"
    [ "$toggles_status" -eq 0 ] || fail "toggle burst: $(cat "$work/toggles.out")"
    chat_out=$(cat "$work/chat.out")
    toggles_out=$(cat "$work/toggles.out")
    # A lost line would keep the count short for good: the wait ends when the
    # log has not grown for 30 s, and the check at the end names the line.
    local drained=$SECONDS count last=-1 still=0
    drain=-
    while count=$(logged) && [ "$count" -lt "$expected" ]; do
        alive
        [ "$count" = "$last" ] && still=$((still + 1)) || still=0
        [ $still -lt 300 ] || return 0
        last=$count
        sleep 0.1
    done
    drain=$((SECONDS - drained))
}
# "median p99" of a burst's fire times, in microseconds.
fire_times() { sed -E 's/.*median ([0-9]+), 99th percentile ([0-9]+),.*/\1 \2/' <<<"$1"; }

echo "== soak-wine: $lines chat lines, $toggles TX/RX toggles, $tenths tenths of at least $tenth_seconds s"
echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) at start; $(wine --version);" \
    "$build/vorlane.exe beside the 32-bit mock, $(sed -n 's/^vorlane: //p' "$work/vorlane.err" | head -n 1)"

python3 "$top/bench/soak_logs.py" lines "$work/lines" "$tenths" "$per_tenth"
# Lines of every kind, so that the fonts they need are loaded before anything
# is counted; and one that, under Wine 8, comes out a few pixels wider than the
# history when wrapped: its horizontal scroll bar then shows, for good, and
# Wine's theme code loads two bitmaps for it, once. Any such line in the run
# would add them there.
python3 "$top/bench/soak_logs.py" warm-up "$work/lines/warm-up.txt" 199
echo 'JA1ABC>#0000000 ｶﾀｶﾅ 日本語 signal ・ よろしく shack 今晩は' >>"$work/lines/warm-up.txt"
sent_files=("$work/lines/warm-up.txt")

# Warm-up: whatever Vorlane makes once (fonts, the logs, the scroll bars) is
# there before anything is counted. Busy gets the focus first: six tabs from
# the chat input.
probe keys vorlane.exe "{TAB}" "{TAB}" "{TAB}" "{TAB}" "{TAB}" "{TAB}" >/dev/null \
    || fail "could not type into the main window"
control clear
run_tenth "$work/lines/warm-up.txt" 100 10 200
read -r chat_median chat_p99 <<<"$(fire_times "$chat_out")"
read -r toggle_median _ <<<"$(fire_times "$toggles_out")"
sleep 2
start_resources=$(settled_resources) || fail "WinProbe could not read vorlane.exe"
ticks_start=$(ticks_so_far)
history=$(python3 "$top/bench/soak_logs.py" history "${sent_files[@]}")
in_history=200
started=$SECONDS

printf '\n%-6s %7s %7s %7s %5s %5s %8s %8s %14s %13s %7s %5s %15s\n' "" "history" "UTF-16" "handles" "GDI" \
    "USER" "private" "working" "private per" "fire (us)" "TX/RX" "drain" "tick late (ms)"
printf '%-6s %7s %7s %7s %5s %5s %8s %8s %14s %13s %7s %5s %15s\n' "tenth" "lines" "MiB" "" "" "" "MiB" "MiB" \
    "10k (text) MiB" "median   p99" "median" "s" "median p99 max"
row() {
    printf '%-6s %7d %7s %7s %5s %5s %8s %8s %14s %6d %6d %7d %5s %15s\n' "$1" "$in_history" \
        "$(mib "$history")" "$(field handles "$2")" "$(field gdi "$2")" "$(field user "$2")" \
        "$(mib "$(field private "$2")")" "$(mib "$(field working "$2")")" "$3" \
        "$chat_median" "$chat_p99" "$toggle_median" "$4" "$5"
}
row start "$start_resources" "" "" ""

private_before=$(field private "$start_resources")
ticks_before=$ticks_start
expected=200
for tenth in $(seq "$tenths"); do
    file=$work/lines/tenth-$(printf %02d "$tenth").txt
    tenth_bytes=$(python3 "$top/bench/soak_logs.py" history "$file")
    tenth_started=$SECONDS
    expected=$((expected + per_tenth))
    run_tenth "$file" "$toggles_per_tenth" "$tenth_seconds" "$expected"
    sent_files+=("$file")
    while [ $((SECONDS - tenth_started)) -lt "$tenth_seconds" ]; do sleep 0.2; done
    sleep 1
    now=$(resources) || fail "WinProbe could not read vorlane.exe"
    ticks=$(ticks_so_far)
    history=$((history + tenth_bytes))
    in_history=$((in_history + per_tenth))
    read -r chat_median chat_p99 <<<"$(fire_times "$chat_out")"
    read -r toggle_median _ <<<"$(fire_times "$toggles_out")"
    read -r _ late_median late_p99 late_max _ _ _ \
        <<<"$(python3 "$top/bench/soak_logs.py" ticks "$work/vorlane.err" "$ticks_before")"
    private=$(field private "$now")
    growth=$(awk -v d="$((private - private_before))" -v n="$per_tenth" -v b="$tenth_bytes" \
        'BEGIN { printf "%.1f (%.2f)", d / 1048576 * 10000 / n, b / 1048576 * 10000 / n }')
    row "$tenth/$tenths" "$now" "$growth" "$drain" "$late_median $late_p99 $late_max"
    private_before=$private
    ticks_before=$ticks
done
elapsed=$((SECONDS - started))
end_resources=$(settled_resources) || fail "WinProbe could not read vorlane.exe"

echo
read -r tick_count late_median late_p99 late_max late_min lost doubled \
    <<<"$(python3 "$top/bench/soak_logs.py" ticks "$work/vorlane.err" "$ticks_start")"
echo "ran $elapsed s; load average $(cut -d' ' -f1-3 /proc/loadavg) at the end"
grep -q 'not implemented' "$work/probe.err" 2>/dev/null \
    && echo "counted: GetGuiResources and the handle count are stubs here; handles from the system's handle list, GDI objects from the process's GDI handle table, USER objects as its windows"
awk -v r="$(($(field private "$end_resources") - $(field private "$start_resources")))" \
    -v h="$history" -v n="$((in_history - 200))" 'BEGIN {
    printf "memory: private bytes grew %.1f MiB over %d lines: %.1f MiB per 10 000 lines, against %.2f MiB of their text in UTF-16\n",
        r / 1048576, n, r / 1048576 * 10000 / n, h / 1048576 * 10000 / n }'
echo "ticks: $tick_count; late by median $late_median ms, 99th percentile $late_p99 ms, at most $late_max ms (earliest $late_min ms); seconds without a tick: $lost; seconds with two: $doubled"
cycles=$(grep -c '^cycle' "$work/ui.log" || true)
minimised=$(grep -c '^minimised' "$work/ui.log" || true)
busy_calls=$(control calls | grep -c '^BusyFlagA ' || true)
echo "window: minimised and restored $cycles times with WinProbe (caption showed the count $minimised times); Busy pressed $((2 * cycles)) times, EchoLink got $busy_calls BusyFlagA calls"
for what in handles gdi user; do
    echo "$what: $(field "$what" "$start_resources") after the warm-up, $(field "$what" "$end_resources") at the end"
done

control fire closing
for _ in $(seq 200); do kill -0 "$vorlane_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$vorlane_pid" 2>/dev/null && fail "vorlane.exe did not end on Closing"
wait "$vorlane_pid" || fail "vorlane.exe exited with status $?"

status=0
python3 "$top/bench/soak_logs.py" check "$program" "${sent_files[@]}" || status=1
for what in handles gdi user; do
    if [ "$(field "$what" "$end_resources")" -gt "$(field "$what" "$start_resources")" ]; then
        echo "$what leak: $(field "$what" "$start_resources") after the warm-up, $(field "$what" "$end_resources") at the end"
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "soak passed" || echo "soak FAILED"
exit "$status"
