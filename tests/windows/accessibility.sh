#!/bin/bash
# What Windows' UI Automation, as Wine gives it, reads from the real 32-bit
# vorlane.exe during a transmission: Vorlane runs in a fresh 64-bit prefix on
# a private Xvfb display beside the mock EchoLink (tests/wine/), with a
# 10-second limit, and tests/wine/UiaProbe.exe reads it as a screen reader
# would: the window's element, the tree below it (every control that takes
# the focus named, the status bar with the count as text, the lamp bar's
# range value) and the announcements raised as UI Automation notifications.
# Each check Wine can make prints PASS or FAIL with the reason. What Wine
# cannot do prints a "NOTE: Wine VERSION cannot ..." line with the failed
# call and its HRESULT and counts neither way: nothing is skipped silently.
# The last line is "N passed, M failed"; the exit status is non-zero when
# M > 0. VORLANE_EXE names the program (default build-windows/vorlane.exe,
# made by scripts/build-windows.sh).
# Usage: [VORLANE_EXE=path/vorlane.exe] tests/windows/accessibility.sh
set -u

repo=$(cd "$(dirname "$0")/../.." && pwd)
exe=${VORLANE_EXE:-$repo/build-windows/vorlane.exe}
started=$(date +%s)
# shellcheck source=SCRIPTDIR/../../scripts/lib/tally.sh
. "$repo/scripts/lib/tally.sh"
# shellcheck source=SCRIPTDIR/../../scripts/lib/process.sh
. "$repo/scripts/lib/process.sh"
noted=0

# What this Wine cannot do: neither passed nor failed, and always said.
cannot() {
    noted=$((noted + 1))
    echo "NOTE: Wine $wine_version cannot $1: $2"
}

finish() {
    echo "windows-a11y: done in $(($(date +%s) - started)) s, $noted NOTE lines for what Wine cannot do"
    tally_end
    exit
}

note() {
    echo "windows-a11y: $*"
}

if [ ! -f "$exe" ]; then
    fail "vorlane.exe" "not found at $exe (build it with scripts/build-windows.sh)"
    finish
fi

"$repo/scripts/install-deps.sh" g++-mingw-w64-x86-64-posix mingw-w64-tools libwine-dev wine64 wine \
    xvfb xauth >/dev/null || { fail "setup" "install-deps.sh failed"; finish; }
if ! wine32=$("$repo/scripts/install-wine32.sh" 2>&1); then
    tail -n 3 <<<"$wine32"
    fail "setup" "vorlane.exe is a 32-bit program: it needs wine32 and the 32-bit MinGW-w64 compiler"
    finish
fi

# shellcheck source=SCRIPTDIR/../../scripts/lib/sandbox.sh
. "$repo/scripts/lib/sandbox.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/vorlane-a11y.XXXXXX")
cleanup() {
    sandbox_cleanup
    rm -rf "$work"
}
sandbox_on_exit cleanup
export LC_ALL=C.UTF-8
sandbox_display "$work" 1024x768x24 cookie || { fail "setup" "no Xvfb display could be started"; finish; }
sandbox_wine_prefix "$work"

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
mkdir -p "$program" "$drive/Program Files/Q7MXZ/EchoLink"
cp "$exe" "$program/vorlane.exe"

control() {
    timeout 60 wine "$build/MockControl.exe" "$@"
}

# UI Automation's client side runs in the reader's process: the probe is
# 32-bit like Vorlane. Its own watchdog ends a call that never returns.
uia() {
    timeout 120 wine "$build/win32/UiaProbe.exe" "$@"
}

timeout 60 wine "$build/win32/MockEchoLink.exe" /RegServer /Lifetime 600 \
    || { fail "setup" "registering the mock failed"; finish; }

# vln.ini: a 10-second limit, so the whole transmission fits in the test; a
# 2-second standby wait; no log, no beeps.
windows_folder=$(winepath -w "$program")
printf '%s\r\n' "Timer=00:00:10" "FontSize=9" "Standby=2" "SyncTX=1" "SyncRX=1" "Alarm=0" \
    "DispDate=0" "DispTime=1" "LogFile=0" "Position= 100, 100, 5640, 8460" \
    'ELDir=C:\Program Files\Q7MXZ\EchoLink\' "VLNDir=${windows_folder%\\}\\" \
    "Timer01=00:00:00,00:00:00,0" "Timer02=00:00:00,00:00:00,0" "HttpLog=" "Speech=0" \
    | iconv -f UTF-8 -t CP932 >"$program/vln.ini"

(cd "$drive" && exec timeout 300 wine 'C:\vorlane\vorlane.exe') >>"$work/vorlane.log" 2>&1 &
vorlane=$!

if ! control wait-sinks 1 90 >/dev/null; then
    fail "start" "vorlane.exe did not connect to the mock EchoLink within 90 s"
    tail -n 20 "$work/vorlane.log"
    stop "$vorlane"
    finish
fi
note "vorlane.exe connected ($(($(date +%s) - started)) s)"

# The failure lines of a probe's output ($1) whose call matches $2, as
# "CALL HRESULT (WHAT)" joined by "; ".
failures() {
    awk -F '\t' -v call="$2" '$1 == "fail" && $2 ~ call {
        printf "%s%s %s", sep, $2, $3; if ($4 != "") printf " (%s)", $4; sep = "; " }' "$1"
}

# The element lines of a probe's output ($1) whose type is $2.
elements() {
    awk -F '\t' -v type="$2" '$1 == "element" && $3 == type' "$1"
}

# ---- The system's UI Automation.
uia facts >"$work/facts.out" 2>&1
wine_version=$(awk -F '\t' '$1 == "wine" { print $2 }' "$work/facts.out")
wine_version=${wine_version:-"(not Wine?)"}
note "Wine $wine_version; the probe reads through: $(awk -F '\t' '$1 == "client" { print $2 }' "$work/facts.out")"
if grep -q $'^client\tIUIAutomation$' "$work/facts.out"; then
    note "the COM client (IUIAutomation) is there"
elif grep -q $'^client\t' "$work/facts.out"; then
    cannot "give a UI Automation COM client (IUIAutomation, so no IUIAutomation5::AddNotificationEventHandler)" \
        "$(failures "$work/facts.out" CUIAutomation); the probe uses uiautomationcore.dll's node functions instead"
else
    fail "a UI Automation client" "the probe found none: $(tr '\n' ';' <"$work/facts.out")"
    stop "$vorlane"
    finish
fi

# ---- The window's own element.
uia tree vorlane.exe 0 >"$work/window.out" 2>&1
window=$(elements "$work/window.out" Window)
read_ok='(ControlType|Name|AutomationId|IsKeyboardFocusable|HelpText|FrameworkId)'
if [[ $window == *$'\tVLN Ver.'*$'\tid=mainWindow'*$'\tfocusable=1'*$'\tframework=Qt' ]] \
    && [ -z "$(failures "$work/window.out" "$read_ok")" ]; then
    pass "the window's element comes from Qt's own provider (FrameworkId Qt, AutomationId mainWindow): a focusable Window named \"$(cut -f 4 <<<"$window")\"; ControlType, Name, AutomationId, IsKeyboardFocusable, HelpText and FrameworkId read without failure"
else
    fail "the window's element from Qt's provider" "the probe read: $(tr '\n' ';' <"$work/window.out")"
fi
unreadable=$(failures "$work/window.out" '(ValueValue|RangeValue)')
[ -z "$unreadable" ] || cannot "read the Value and RangeValue patterns' properties (on any element)" "$unreadable"

# ---- During a transmission: the announcements, the tree, the lamp bar.
uia watch vorlane.exe 60 >"$work/watch.out" 2>&1 &
watcher=$!
# The subscriptions are made before the transmission starts.
for _ in $(seq 100); do
    grep -qE $'^(clients-listening|end)\t?' "$work/watch.out" && break
    running "$watcher" || break
    sleep 0.1
done
control fire tx on
sleep 3
uia tree vorlane.exe >"$work/tree.out" 2>&1
tree_status=$?
readable_tree=0
blocked=0
control_view=$(failures "$work/tree.out" 'control view')
[ -z "$control_view" ] || cannot "walk the control view (navigation with a condition other than true)" \
    "$control_view"
if [ $tree_status = 0 ] && [ "$(awk -F '\t' '$1 == "element" && $2 > 0' "$work/tree.out" | wc -l)" -gt 0 ]; then
    readable_tree=1
else
    why=$(failures "$work/tree.out" '^(UiaNavigate.(FirstChild|NextSibling).|.*Walker.*)$')
    cannot "walk below the window of a Qt program, even in the raw view" \
        "${why:-the probe ended with status $tree_status: $(tr '\n' ';' <"$work/tree.out")}"
    # A call that never returned: Wine 8.0's provider thread in Vorlane
    # waits for Vorlane's GUI thread, which waits for it.
    if [ $tree_status = 4 ]; then
        if control fire closing >/dev/null 2>&1 && ended "$vorlane" 20; then
            note "vorlane.exe still ended on EchoLink's Closing"
        else
            blocked=1
            cannot "answer a client's navigation without blocking the program" \
                "vorlane.exe's GUI thread stays blocked: EchoLink's Closing went unanswered for 20 s"
        fi
    fi
    for what in "check that every control that takes the focus has a name" \
        "read the status bar and the count in it as text" "read the lamp bar's range value"; do
        cannot "$what" "no element below the window can be reached (see above)"
    done
fi

if [ $readable_tree = 1 ]; then
    unnamed=$(awk -F '\t' '$1 == "element" && /\tfocusable=1/ && $4 == "" { printf "%s ", $3 }' "$work/tree.out")
    focusable=$(grep -c $'\tfocusable=1' "$work/tree.out")
    if [ -z "$unnamed" ] && [ "$focusable" -gt 1 ]; then
        pass "all $focusable elements that take the focus have a name"
    else
        fail "every element that takes the focus has a name" "unnamed: ${unnamed:-none}; $focusable focusable"
    fi
    # The status bar's own elements follow it, one level deeper.
    status_bar=$(awk -F '\t' '$1 == "element" && $3 == "StatusBar" { depth = $2; print; next }
        depth != "" && $2 <= depth { depth = "" } depth != "" && $1 == "element" { print }' "$work/tree.out")
    count=$(awk -F '\t' '$4 ~ /^Time left / { print $4 }' <<<"$status_bar")
    if [ -z "$status_bar" ]; then
        fail "the top row is a status bar" "no StatusBar element"
    elif [[ $count =~ ^Time\ left\ 00:00:(0[0-9]|10)$ ]] \
        && [ -n "$(awk -F '\t' '$4 == "Transmitting"' <<<"$status_bar")" ]; then
        pass "the status bar reads \"Transmitting\" and the count as text: \"$count\""
    else
        fail "the status bar reads the state and the count" "it holds: $(cut -f 3,4 <<<"$status_bar" | tr '\n' ';')"
    fi
    bar=$(elements "$work/tree.out" ProgressBar)
    range=$(grep -o $'\trange=[^\t]*' <<<"$bar" | cut -d= -f2)
    if [ -z "$bar" ] || [ "$(cut -f 4 <<<"$bar")" != "Limit used" ]; then
        fail "the lamp bar is a progress bar named \"Limit used\"" "it reads: ${bar:-no ProgressBar}"
    elif [ -z "$range" ]; then
        cannot "read the lamp bar's range value" \
            "$(failures "$work/tree.out" RangeValue) (the element is there: \"Limit used\")"
    elif [[ $range =~ ^([0-9]+)/90$ ]] && [ "${BASH_REMATCH[1]}" -gt 0 ] && [ "${BASH_REMATCH[1]}" -le 90 ]; then
        pass "the lamp bar \"Limit used\" reads $range lamps"
    else
        fail "the lamp bar's range value lies in 1..90 of 90" "it reads $range"
    fi
fi

# The limit runs out ("Over"), the transmission ends, the standby wait
# starts and ends ("Standby", "Ready"). Without subscriptions there is
# nothing to wait for.
if grep -q $'^listening\tnotification$' "$work/watch.out"; then
    for _ in $(seq 300); do
        grep -q $'^notification\tOver$' "$work/watch.out" && break
        sleep 0.1
    done
    control fire tx off
    for _ in $(seq 300); do
        grep -q $'^notification\tReady$' "$work/watch.out" && break
        sleep 0.1
    done
fi
if running "$vorlane" && [ $blocked = 0 ]; then
    control fire closing >/dev/null 2>&1
    ended "$vorlane" 20 || fail "vorlane.exe ends on EchoLink's Closing" "it still runs 20 s after"
fi
stop "$vorlane"
ended "$watcher" 70 || kill "$watcher" 2>/dev/null

if grep -q $'^listening\tnotification$' "$work/watch.out"; then
    announced=$(awk -F '\t' '$1 == "notification" { print $2 }' "$work/watch.out")
    if grep -q ' left$' <<<"$announced" && grep -qx Over <<<"$announced" \
        && [ "$(tail -n 2 <<<"$announced" | tr '\n' ' ')" = "Standby Ready " ]; then
        pass "the notifications came: $(tr '\n' ';' <<<"$announced")"
    else
        fail "an alarm point, \"Over\", then \"Standby\" and \"Ready\" are notified" \
            "notified: $(tr '\n' ';' <<<"$announced")"
    fi
else
    listening=$(awk -F '\t' '$1 == "clients-listening" { print $2 }' "$work/watch.out")
    exported=$(awk -F '\t' '$1 == "export" && $2 == "UiaRaiseNotificationEvent" { print $3 }' "$work/facts.out")
    cannot "deliver UI Automation notifications to a client" \
        "$(failures "$work/watch.out" 'AddEvent|Notification|PropertyChanged'); UiaClientsAreListening() returns ${listening:-?} in a client that tried to listen, and Qt raises nothing while it is 0; uiautomationcore.dll exports UiaRaiseNotificationEvent: ${exported:-?}"
fi

finish
