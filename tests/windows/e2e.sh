#!/bin/bash
# Tests the real vorlane.exe end to end under Wine: copied into C:\vorlane\
# of a fresh 64-bit prefix and run on a private Xvfb display beside the mock
# EchoLink, registered as a 32-bit out-of-process server (EchoLink is a
# 32-bit program, Vorlane 64-bit). The mock is steered and read with
# MockControl.exe, Vorlane's windows with WinProbe.exe (tests/wine).
# Each check prints PASS or FAIL with the reason; the last line is
# "N passed, M failed", and the exit status is non-zero when M > 0.
# The count is read from the minimised window's caption, which Vorlane sets
# to it; message boxes are native ones (#32770), read through their controls.
# VORLANE_EXE names the program (default build-windows/vorlane.exe, made by
# scripts/build-windows.sh).
# Usage: [VORLANE_EXE=path/vorlane.exe] tests/windows/e2e.sh
set -u

repo=$(cd "$(dirname "$0")/../.." && pwd)
exe=${VORLANE_EXE:-$repo/build-windows/vorlane.exe}
started=$(date +%s)
passed=0
failed=0

pass() {
    passed=$((passed + 1))
    echo "PASS: $1"
}

fail() {
    failed=$((failed + 1))
    echo "FAIL: $1: $2"
}

finish() {
    echo "windows-e2e: done in $(($(date +%s) - started)) s"
    echo "$passed passed, $failed failed"
    exit $((failed > 0))
}

note() {
    echo "windows-e2e: $*"
}

if [ ! -f "$exe" ]; then
    fail "vorlane.exe" "not found at $exe (build it with scripts/build-windows.sh)"
    finish
fi

"$repo/scripts/install-deps.sh" g++-mingw-w64-x86-64-posix mingw-w64-tools libwine-dev wine64 wine \
    xvfb xauth >/dev/null || { fail "setup" "install-deps.sh failed"; finish; }
mock_bits=32
if ! wine32=$("$repo/scripts/install-wine32.sh" 2>&1); then
    mock_bits=64
    tail -n 3 <<<"$wine32"
fi

# shellcheck source=SCRIPTDIR/../../scripts/lib/sandbox.sh
. "$repo/scripts/lib/sandbox.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/vorlane-e2e.XXXXXX")
cleanup() {
    sandbox_cleanup
    rm -rf "$work"
}
sandbox_on_exit cleanup
# Text on wine's command lines (a Japanese chat line) is taken as UTF-8.
export LC_ALL=C.UTF-8
sandbox_display "$work" 1024x768x24 cookie || { fail "setup" "no Xvfb display could be started"; finish; }
sandbox_wine_prefix "$work"

# The prefix boots while the tools build.
sandbox_wine_boot
build="$work/build"
if ! "$repo/tests/wine/build.sh" "$build" >"$work/build.log" 2>&1; then
    tail -n 20 "$work/build.log"
    fail "setup" "tests/wine/build.sh failed"
    finish
fi
sandbox_wine_ready || { fail "setup" "the prefix could not be made"; finish; }
note "prefix and tools ready ($(($(date +%s) - started)) s)"

drive="$WINEPREFIX/drive_c"
program="$drive/vorlane"
echolink="$drive/Program Files/Q7MXZ/EchoLink"
mkdir -p "$program" "$echolink"
cp "$exe" "$program/vorlane.exe"
logs="$program/Logs"

control() {
    timeout 60 wine "$build/MockControl.exe" "$@"
}

probe() {
    timeout 60 wine "$build/WinProbe.exe" "$@"
}

if [ $mock_bits = 32 ] && [ -f "$build/win32/MockEchoLink.exe" ]; then
    mock="$build/win32/MockEchoLink.exe"
else
    mock_bits=64
    mock="$build/MockEchoLink.exe"
    note "NOTE: wine32 or the 32-bit compiler is missing: running the 64-bit mock EchoLink" \
        "instead, so the 64-bit to 32-bit marshalling is NOT tested"
fi
# Long enough for the whole run, short enough not to outlive it much.
timeout 60 wine "$mock" /RegServer /Lifetime 600 || { fail "setup" "registering the mock failed"; finish; }

# vln.ini: 16 lines, CR LF, code page 932, Log on, no alarm beeps.
write_settings() {
    printf '%s\r\n' "Timer=00:03:00" "FontSize=9" "Standby=5" "SyncTX=1" "SyncRX=1" "Alarm=0" \
        "DispDate=0" "DispTime=1" "LogFile=1" "Position= 100, 100, 5640, 8460" \
        'ELDir=C:\Program Files\Q7MXZ\EchoLink\' 'VLNDir=C:\vorlane\' \
        "Timer01=00:00:00,00:00:00,0" "Timer02=00:00:00,00:00:00,0" "HttpLog=" "Speech=0" \
        | iconv -f UTF-8 -t CP932 >"$program/vln.ini"
}

# Starts vorlane.exe in the background; its pid in $vorlane.
start_vorlane() {
    (cd "$program" && exec timeout 300 wine 'C:\vorlane\vorlane.exe') >>"$work/vorlane.log" 2>&1 &
    vorlane=$!
}

running() {
    kill -0 "$1" 2>/dev/null
}

# Waits up to $2 seconds for process $1 to end.
ended() {
    local pid=$1 tenths=$(($2 * 10))
    while [ $tenths -gt 0 ]; do
        running "$pid" || return 0
        sleep 0.1
        tenths=$((tenths - 1))
    done
    return 1
}

stop() {
    running "$1" && kill "$1" 2>/dev/null
    ended "$1" 10
}

# Waits for vorlane.exe's message box and checks it: CAPTION (or "" for
# any), TEXT; OK must end process PID. Prints the reason on failure.
check_box() {
    local name=$1 pid=$2 caption=$3 text=$4 box
    if ! box=$(probe wait-box vorlane.exe 20 2>/dev/null); then
        fail "$name" "no native message box (#32770) came up; vorlane.exe's windows: $(probe list vorlane.exe | tr '\n' ';')"
        stop "$pid"
        return
    fi
    if [ -n "$caption" ] && ! grep -qxF "caption"$'\t'"$caption" <<<"$box"; then
        fail "$name" "caption is not \"$caption\": $(tr '\n' ';' <<<"$box")"
    elif ! grep -qxF "text"$'\t'"$text" <<<"$box"; then
        fail "$name" "text is not \"$text\": $(tr '\n' ';' <<<"$box")"
    elif ! probe press vorlane.exe OK; then
        fail "$name" "could not press OK"
    elif ! ended "$pid" 20; then
        fail "$name" "vorlane.exe still runs 20 s after OK"
    else
        pass "$name"
        return
    fi
    stop "$pid"
}

# ---- A normal run: title, chat, log, busy, second instance, count, close.
write_settings
start_vorlane
first=$vorlane
if ! control wait-sinks 1 90 >/dev/null; then
    fail "start" "vorlane.exe did not connect to the mock EchoLink within 90 s"
    tail -n 20 "$work/vorlane.log"
    stop "$first"
    finish
fi
note "vorlane.exe connected ($(($(date +%s) - started)) s)"

bits=$(control bits)
if [ "$bits" = "$mock_bits" ]; then
    pass "(setup) the mock EchoLink is a $mock_bits-bit out-of-process server"
else
    fail "(setup) the mock EchoLink is a $mock_bits-bit out-of-process server" "it is \"$bits\""
fi

# (a) The title follows the mock's own callsign.
control callsign 7J1VLN
title=$(probe wait-title vorlane.exe 'VLN Ver.*  <7J1VLN>' 15)
if [[ $title =~ ^VLN\ Ver\.[0-9]+\.[0-9]+\.[0-9]+\ .+\ [0-2][0-9]:[0-5][0-9]:[0-5][0-9]\ \ \<7J1VLN\>$ ]]; then
    pass "(a) title \"$title\" ends with the mock's callsign"
else
    fail "(a) title ends with \"  <7J1VLN>\"" "title is \"$title\""
fi

# (c) A received Japanese chat line goes to today's log in code page 932.
day_before=$(date +%Y%m%d)
control fire chat "JA1XYZ>こんにちは"
day_after=$(date +%Y%m%d)
sjis=$(printf 'JA1XYZ>こんにちは' | iconv -f UTF-8 -t CP932 | LC_ALL=C sed 's/[][\.*^$+?(){}|/]/\\&/g')
logged=""
for _ in $(seq 50); do
    for day in "$day_before" "$day_after"; do
        if [ -f "$logs/$day.txt" ] \
            && LC_ALL=C grep -aqE "^\[[0-2][0-9]:[0-5][0-9]:[0-5][0-9]\]$sjis"$'\r'"\$" "$logs/$day.txt"; then
            logged=$day
        fi
    done
    [ -n "$logged" ] && break
    sleep 0.2
done
if [ -n "$logged" ]; then
    pass "(c) the chat line is in Logs\\$logged.txt as [HH:MM:SS]JA1XYZ>こんにちは, cp932, CR LF"
elif [ -f "$logs/$day_after.txt" ]; then
    fail "(c) chat line logged in cp932" "Logs\\$day_after.txt holds: $(od -c "$logs/$day_after.txt" | head -n 8 | tr '\n' ' ')"
else
    fail "(c) chat line logged in cp932" "no Logs\\$day_after.txt; Logs holds: $(ls "$logs" 2>&1 | tr '\n' ' ')"
fi

# (d) A typed line and Enter reach the mock; the input has the focus at start.
control clear
if ! probe keys vorlane.exe "e2e hello 73" "{ENTER}"; then
    fail "(d) typed chat reaches SendChatText" "could not type into the main window"
elif calls=$(control wait-call "SendChatText e2e hello 73" 10); then
    pass "(d) typed chat reaches the mock as SendChatText \"e2e hello 73\""
else
    fail "(d) typed chat reaches SendChatText" "the mock got: $(tr '\n' ';' <<<"$calls")"
fi

# (e) Busy: six tabs from the input (Send, Date, Time, Log, Clear, Busy), Space.
control clear
if ! probe keys vorlane.exe "{TAB}" "{TAB}" "{TAB}" "{TAB}" "{TAB}" "{TAB}" "{SPACE}"; then
    fail "(e) Busy reaches BusyFlagA and BusyFlagB" "could not type into the main window"
else
    calls=$(control wait-call "BusyFlagB -1" 10)
    if grep -qx "BusyFlagA -1" <<<"$calls" && grep -qx "BusyFlagB -1" <<<"$calls"; then
        pass "(e) Busy reaches the mock as BusyFlagA and BusyFlagB true"
    else
        fail "(e) Busy reaches BusyFlagA and BusyFlagB" "the mock got: $(tr '\n' ';' <<<"$calls")"
    fi
fi

# (i) A second instance from the same folder says so and ends; the first runs on.
start_vorlane
check_box "(i) a second instance shows \"already Running EchoLink Program\" and ends after OK" \
    "$vorlane" "VorlaneMonitor" "already Running EchoLink Program"
running "$first" || fail "(i) the first instance runs on" "it ended"

# (b) Minimised, the caption is the count: after TX on and 3 s, below the limit.
count_below() {
    [[ $1 =~ ^([0-9]{2}):([0-5][0-9]):([0-5][0-9])$ ]] || return 1
    local seconds=$((10#${BASH_REMATCH[1]} * 3600 + 10#${BASH_REMATCH[2]} * 60 + 10#${BASH_REMATCH[3]}))
    # Below the 3-minute limit, and not run away.
    [ $seconds -lt 180 ] && [ $seconds -ge 120 ]
}
if ! probe minimize vorlane.exe; then
    fail "(b) count below the limit 3 s after TX on" "could not minimise the main window"
else
    limit=$(probe wait-title vorlane.exe '??:??:??' 10)
    control fire tx on
    sleep 3
    count=$(probe wait-title vorlane.exe '??:??:??' 5)
    if [ "$limit" = "00:03:00" ] && count_below "$count"; then
        pass "(b) minimised caption went from $limit to $count 3 s after TX on"
    else
        fail "(b) count below the limit 3 s after TX on" \
            "minimised caption \"$limit\" before, \"$count\" after (count read from the caption)"
    fi
    probe restore vorlane.exe
fi

# (f) Closing ends Vorlane, which writes a 16-line CR LF vln.ini.
rm -f "$program/vln.ini"
control fire closing
if ! ended "$first" 20; then
    fail "(f) Closing ends Vorlane" "vorlane.exe still runs 20 s after Closing"
    stop "$first"
elif [ ! -f "$program/vln.ini" ]; then
    fail "(f) Closing leaves vln.ini" "vorlane.exe ended without writing vln.ini"
else
    lines=$(wc -l <"$program/vln.ini")
    crlf=$(grep -c $'\r$' "$program/vln.ini")
    if [ "$lines" = 16 ] && [ "$crlf" = 16 ] && [ "$(tail -c 2 "$program/vln.ini" | od -An -c | tr -d ' ')" = '\r\n' ] \
        && [ "$(sed -n 9p "$program/vln.ini")" = $'LogFile=1\r' ]; then
        pass "(f) Closing ends Vorlane, which leaves a 16-line CR LF vln.ini"
    else
        fail "(f) Closing leaves a 16-line CR LF vln.ini" \
            "$lines lines, $crlf with CR LF: $(tr '\r\n' '|;' <"$program/vln.ini")"
    fi
fi

# (g) No EchoLink folder and no vln.ini.
mv "$echolink" "$echolink.away"
rm -f "$program/vln.ini"
start_vorlane
check_box "(g) without the EchoLink folder: \"EchoLink not Installed!\", ends after OK" \
    "$vorlane" "" "EchoLink not Installed!"
mv "$echolink.away" "$echolink"

# (h) EchoLink's folder there, its automation server not registered.
# A server still running serves its class ahead of the registry: it quits a
# moment after its last client let go, or is ended when a killed one did not.
timeout 60 wine "$mock" /UnregServer || fail "(h) setup" "unregistering the mock failed"
mock_gone() {
    for _ in $(seq 25); do
        [ "$(probe count MockEchoLink.exe)" = 0 ] && return 0
        sleep 0.2
    done
    return 1
}
mock_gone || { control stop && mock_gone; } || fail "(h) setup" "the mock EchoLink still runs"
write_settings
start_vorlane
check_box "(h) without EchoLink's server: \"Please! Chek vln.ini [VLNDir] session\", ends after OK" \
    "$vorlane" "" "Please! Chek vln.ini [VLNDir] session"

finish
