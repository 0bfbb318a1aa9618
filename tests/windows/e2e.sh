#!/bin/bash
# Tests the real 32-bit vorlane.exe end to end under Wine, in a fresh 64-bit
# prefix on a private Xvfb display beside the mock EchoLink, registered as a
# 32-bit out-of-process server as EchoLink is: a portable copy in C:\vorlane\
# (also with the mock refusing its dual interface, as on 64-bit Windows), the
# start-up refusals and failure, and the installer: silent install, the
# installed copy's per-user files, silent uninstall. The mock is steered and
# read with MockControl.exe, Vorlane's windows with WinProbe.exe (tests/wine).
# Each check prints PASS or FAIL with the reason; the last line is
# "N passed, M failed", and the exit status is non-zero when M > 0.
# The count is read from the minimised window's caption, which Vorlane sets
# to it; message boxes are native ones (#32770), read through their controls.
# VORLANE_EXE names the program (default build-windows/vorlane.exe, made by
# scripts/build-windows.sh), VORLANE_SETUP the installer (default the
# vorlane-*-setup.exe beside it).
# Usage: [VORLANE_EXE=path/vorlane.exe] tests/windows/e2e.sh
set -u

repo=$(cd "$(dirname "$0")/../.." && pwd)
exe=${VORLANE_EXE:-$repo/build-windows/vorlane.exe}
started=$(date +%s)
# shellcheck source=SCRIPTDIR/../../scripts/lib/tally.sh
. "$repo/scripts/lib/tally.sh"
# shellcheck source=SCRIPTDIR/../../scripts/lib/process.sh
. "$repo/scripts/lib/process.sh"

finish() {
    echo "windows-e2e: done in $(($(date +%s) - started)) s"
    tally_end
    exit
}

note() {
    echo "windows-e2e: $*"
}

if [ ! -f "$exe" ]; then
    fail "vorlane.exe" "not found at $exe (build it with scripts/build-windows.sh)"
    finish
fi

"$repo/scripts/install-deps.sh" g++-mingw-w64-x86-64-posix mingw-w64-tools libwine-dev wine64 wine \
    xvfb xauth fonts-wine >/dev/null || { fail "setup" "install-deps.sh failed"; finish; }
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
    # The immutable folders of the installer checks, if a check stopped early.
    chattr -R -i "$work" 2>/dev/null
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

# vln.ini in folder $1: 16 lines, CR LF, code page 932, Log on, no alarm
# beeps, the limit $2 (00:03:00 unless given).
write_settings() {
    local folder=$1 limit=${2:-00:03:00} windows
    windows=$(winepath -w "$folder")
    printf '%s\r\n' "Timer=$limit" "FontSize=9" "Standby=5" "SyncTX=1" "SyncRX=1" "Alarm=0" \
        "DispDate=0" "DispTime=1" "LogFile=1" "Position= 100, 100, 5640, 8460" \
        'ELDir=C:\Program Files\Q7MXZ\EchoLink\' "VLNDir=${windows%\\}\\" \
        "Timer01=00:00:00,00:00:00,0" "Timer02=00:00:00,00:00:00,0" "HttpLog=" "Speech=0" \
        | iconv -f UTF-8 -t CP932 >"$folder/vln.ini"
}

# Starts the Windows program $1 (default the portable copy) in the
# background; its pid in $vorlane.
start_vorlane() {
    local exe=${1:-'C:\vorlane\vorlane.exe'}
    (cd "$drive" && exec timeout 300 wine "$exe") >>"$work/vorlane.log" 2>&1 &
    vorlane=$!
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

# Waits until the running vorlane.exe is attached to the mock; ends the run
# when it does not come.
wait_attached() {
    if ! control wait-sinks 1 90 >/dev/null; then
        fail "$1: start" "vorlane.exe did not connect to the mock EchoLink within 90 s; its windows: $(probe list vorlane.exe | tr '\n' ';')"
        tail -n 20 "$work/vorlane.log"
        stop "$vorlane"
        finish
    fi
    note "$1: vorlane.exe connected ($(($(date +%s) - started)) s)"
}

# The title follows the mock's own callsign.
check_title() {
    local title
    control callsign 7J1VLN
    title=$(probe wait-title vorlane.exe 'VLN Ver.*  <7J1VLN>' 15)
    if [[ $title =~ ^VLN\ Ver\.[0-9]+\.[0-9]+\.[0-9]+\ .+\ [0-2][0-9]:[0-5][0-9]:[0-5][0-9]\ \ \<7J1VLN\>$ ]]; then
        pass "$1 title \"$title\" ends with the mock's callsign"
    else
        fail "$1 title ends with \"  <7J1VLN>\"" "title is \"$title\""
    fi
}

# A received Japanese chat line goes to today's log, folder $2, in code page 932.
check_chat_logged() {
    local name=$1 logs=$2 day_before day_after sjis logged="" day
    day_before=$(date +%Y%m%d)
    control fire chat "JA1XYZ>こんにちは"
    day_after=$(date +%Y%m%d)
    sjis=$(printf 'JA1XYZ>こんにちは' | iconv -f UTF-8 -t CP932 | LC_ALL=C sed 's/[][\.*^$+?(){}|/]/\\&/g')
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
        pass "$name the chat line is in Logs\\$logged.txt as [HH:MM:SS]JA1XYZ>こんにちは, cp932, CR LF"
    elif [ -f "$logs/$day_after.txt" ]; then
        fail "$name chat line logged in cp932" "Logs\\$day_after.txt holds: $(od -c "$logs/$day_after.txt" | head -n 8 | tr '\n' ' ')"
    else
        fail "$name chat line logged in cp932" "no Logs\\$day_after.txt in $logs: $(ls "$logs" 2>&1 | tr '\n' ' ')"
    fi
}

# A typed line and Enter reach the mock; the input has the focus at start.
check_typed_chat() {
    local calls
    control clear
    if ! probe keys vorlane.exe "e2e hello 73" "{ENTER}"; then
        fail "$1 typed chat reaches SendChatText" "could not type into the main window"
    elif calls=$(control wait-call "SendChatText e2e hello 73" 10); then
        pass "$1 typed chat reaches the mock as SendChatText \"e2e hello 73\""
    else
        fail "$1 typed chat reaches SendChatText" "the mock got: $(tr '\n' ';' <<<"$calls")"
    fi
}

# Busy: six tabs from the input (Send, Date, Time, Log, Clear, Busy), Space.
check_busy() {
    local calls
    control clear
    if ! probe keys vorlane.exe "{TAB}" "{TAB}" "{TAB}" "{TAB}" "{TAB}" "{TAB}" "{SPACE}"; then
        fail "$1 Busy reaches BusyFlagA and BusyFlagB" "could not type into the main window"
        return
    fi
    calls=$(control wait-call "BusyFlagB -1" 10)
    if grep -qx "BusyFlagA -1" <<<"$calls" && grep -qx "BusyFlagB -1" <<<"$calls"; then
        pass "$1 Busy reaches the mock as BusyFlagA and BusyFlagB true"
    else
        fail "$1 Busy reaches BusyFlagA and BusyFlagB" "the mock got: $(tr '\n' ';' <<<"$calls")"
    fi
}

# Closing ends Vorlane, which writes a 16-line CR LF vln.ini into folder $2
# and lets go of EchoLink.
check_closing() {
    local name=$1 folder=$2 lines crlf
    rm -f "$folder/vln.ini"
    control fire closing
    if ! ended "$vorlane" 20; then
        fail "$name Closing ends Vorlane" "vorlane.exe still runs 20 s after Closing"
        stop "$vorlane"
        return
    fi
    if [ ! -f "$folder/vln.ini" ]; then
        fail "$name Closing leaves vln.ini in $folder" "vorlane.exe ended without writing it"
        return
    fi
    lines=$(wc -l <"$folder/vln.ini")
    crlf=$(grep -c $'\r$' "$folder/vln.ini")
    if [ "$lines" = 16 ] && [ "$crlf" = 16 ] && [ "$(tail -c 2 "$folder/vln.ini" | od -An -c | tr -d ' ')" = '\r\n' ] \
        && [ "$(sed -n 9p "$folder/vln.ini")" = $'LogFile=1\r' ]; then
        pass "$name Closing ends Vorlane, which leaves a 16-line CR LF vln.ini in its folder"
    else
        fail "$name Closing leaves a 16-line CR LF vln.ini" \
            "$lines lines, $crlf with CR LF: $(tr '\r\n' '|;' <"$folder/vln.ini")"
    fi
    control wait-sinks 0 10 >/dev/null || fail "$name Vorlane lets go of EchoLink" "a sink is still connected"
}

# A server still running serves its class ahead of the registry: it quits a
# moment after its last client let go, or is ended when a killed one did not.
mock_gone() {
    for _ in $(seq 25); do
        [ "$(probe count MockEchoLink.exe)" = 0 ] && return 0
        sleep 0.2
    done
    return 1
}

# Registers the mock anew, with the given extra arguments (/RefuseDual).
# COM may still hand out a server that has just quit (RPC_S_SERVER_UNAVAILABLE):
# once every wine process has ended, nothing of it is left.
register_mock() {
    timeout 60 wine "$mock" /UnregServer >/dev/null 2>&1
    mock_gone || { control stop && mock_gone; } || fail "setup" "the mock EchoLink still runs"
    timeout 60 wineserver -w
    timeout 60 wine "$mock" /RegServer /Lifetime 600 "$@" || fail "setup" "registering the mock $* failed"
    control bits >/dev/null || fail "setup" "the mock EchoLink registered with $* does not answer"
}

# ---- A portable copy: title, chat, log, busy, second instance, count, close.
write_settings "$program"
start_vorlane
first=$vorlane
wait_attached "portable"

bits=$(control bits)
if [ "$bits" = "$mock_bits" ]; then
    pass "(setup) the mock EchoLink is a $mock_bits-bit out-of-process server"
else
    fail "(setup) the mock EchoLink is a $mock_bits-bit out-of-process server" "it is \"$bits\""
fi
if grep -q "EchoLink through its dual interface" "$work/vorlane.log"; then
    pass "(a) vorlane.exe calls EchoLink through its dual interface"
else
    fail "(a) vorlane.exe calls EchoLink through its dual interface" "it says: $(grep EchoLink "$work/vorlane.log")"
fi
check_title "(a)"
check_chat_logged "(c)" "$logs"
check_typed_chat "(d)"
check_busy "(e)"

# (i) A second instance from the same folder says so and ends; the first runs on.
start_vorlane
check_box "(i) a second instance shows \"already Running EchoLink Program\" and ends after OK" \
    "$vorlane" "VorlaneMonitor" "already Running EchoLink Program"
running "$first" || fail "(i) the first instance runs on" "it ended"
vorlane=$first

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
check_closing "(f)" "$program"

# (j) The start-up failure path lets go of EchoLink too: a limit past
# 09:06:07 fails after the session was made.
write_settings "$program" 09:06:08
start_vorlane
check_box "(j) a limit past 09:06:07: \"Please! Chek vln.ini [VLNDir] session\", ends after OK" \
    "$vorlane" "" "Please! Chek vln.ini [VLNDir] session"
if control wait-sinks 0 10 >/dev/null; then
    pass "(j) after the failure path no sink is left connected to EchoLink"
else
    fail "(j) the failure path lets go of EchoLink" "the mock still counts a connected sink"
fi

# (k) EchoLink refusing its dual interface, as a 32-bit EchoLink does to a
# 64-bit program on Windows: every call goes through IDispatch.
register_mock /RefuseDual
write_settings "$program"
start_vorlane
wait_attached "refused"
if grep -q "EchoLink through IDispatch" "$work/vorlane.log"; then
    pass "(k) with the dual interface refused, vorlane.exe calls EchoLink through IDispatch"
else
    fail "(k) vorlane.exe falls back to IDispatch" "it says: $(grep EchoLink "$work/vorlane.log" | tail -n 1)"
fi
check_title "(k)"
check_chat_logged "(k)" "$logs"
check_typed_chat "(k)"
check_busy "(k)"
check_closing "(k)" "$program"
register_mock

# ---- (l) The installer, silent: an installed copy keeps each user's files in
# %LOCALAPPDATA%\Vorlane\, even where it could write beside itself;
# uninstalling removes the program and keeps the user's files.
setup=${VORLANE_SETUP:-$(ls "$(dirname "$exe")"/vorlane-*-setup.exe 2>/dev/null | head -n 1)}
installed="$drive/Program Files/Vorlane"
shortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Vorlane.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlane'
user_folder=$(winepath -u "$(timeout 60 wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')")/Vorlane
# Immutable folders cannot be written even by root, as Program Files cannot
# by a normal user; the checks that need one say so when it cannot be had.
lock_folder() {
    chattr +i "$1" 2>/dev/null
}
if [ ! -f "$setup" ]; then
    fail "(l) installer" "no vorlane-*-setup.exe beside $exe (scripts/build-windows.sh makes it)"
elif ! timeout 120 wine "$(winepath -w "$setup")" /S; then
    fail "(l) silent install" "the installer failed"
else
    version=$(basename "$setup" | sed 's/^vorlane-\(.*\)-setup\.exe$/\1/')
    entry=$(timeout 60 wine reg query "$uninstall_key" /reg:32 2>/dev/null | tr -d '\r')
    target=$(strings -e l "$shortcut" 2>/dev/null; strings "$shortcut" 2>/dev/null)
    if [ -f "$installed/vorlane.exe" ] && [ -f "$installed/uninstall.exe" ] && [ -f "$installed/README.txt" ] \
        && grep -q 'DisplayName *REG_SZ *Vorlane$' <<<"$entry" \
        && grep -q "DisplayVersion *REG_SZ *$version\$" <<<"$entry" \
        && grep -q 'Publisher *REG_SZ *The Vorlane developers$' <<<"$entry" \
        && grep -qF 'DisplayIcon    REG_SZ    C:\Program Files\Vorlane\vorlane.exe' <<<"$entry" \
        && grep -q 'EstimatedSize *REG_DWORD' <<<"$entry" \
        && grep -qiF 'C:\Program Files\Vorlane\vorlane.exe' <<<"$target"; then
        pass "(l) silent install: C:\\Program Files\\Vorlane\\, its uninstall entry and a Start-menu shortcut to it"
    else
        fail "(l) silent install" "files: $(ls "$installed" 2>&1 | tr '\n' ' '); entry: $(tr '\n' ';' <<<"$entry")"
    fi

    # An administrator's vln.ini in the install folder seeds the first start.
    write_settings "$installed"
    lock_folder "$installed" || note "NOTE: chattr +i is refused here: the install folder stays writable"
    start_vorlane 'C:\Program Files\Vorlane\vorlane.exe'
    wait_attached "installed"
    check_title "(l) installed:"
    check_chat_logged "(l) installed:" "$user_folder/Logs"
    check_closing "(l) installed:" "$user_folder"
    if grep -qF "VLNDir=$(winepath -w "$user_folder")\\"$'\r' "$user_folder/vln.ini" \
        && [ "$(ls "$installed")" = "$(printf 'LICENSE.txt\nREADME.txt\nuninstall.exe\nvln.ini\nvorlane.exe')" ]; then
        pass "(l) the installed copy keeps its vln.ini and Logs in %LOCALAPPDATA%\\Vorlane\\"
    else
        fail "(l) the installed copy keeps its files per user" \
            "vln.ini holds $(grep VLNDir "$user_folder/vln.ini" | tr -d '\r'); install folder: $(ls "$installed" | tr '\n' ' ')"
    fi

    # A second start reads the user's own file, not the shared one.
    sed -i 's/^FontSize=9\r$/FontSize=12\r/' "$user_folder/vln.ini"
    start_vorlane 'C:\Program Files\Vorlane\vorlane.exe'
    wait_attached "installed, again"
    control fire closing
    if ended "$vorlane" 20 && grep -q $'^FontSize=12\r$' "$user_folder/vln.ini"; then
        pass "(l) a second start reads the user's own vln.ini back"
    else
        stop "$vorlane"
        fail "(l) a second start reads the user's own vln.ini" "FontSize is $(grep FontSize "$user_folder/vln.ini" | tr -d '\r')"
    fi

    chattr -i "$installed" 2>/dev/null
    rm -f "$installed/vln.ini"
    timeout 60 wine 'C:\Program Files\Vorlane\uninstall.exe' /S
    # The uninstaller works from a copy of itself and returns at once.
    for _ in $(seq 100); do
        [ -e "$installed" ] || break
        sleep 0.2
    done
    entry=$(timeout 60 wine reg query "$uninstall_key" /reg:32 2>&1 | tr -d '\r')
    if [ ! -e "$installed" ] && [ ! -e "$shortcut" ] && ! grep -q DisplayName <<<"$entry" \
        && [ -f "$user_folder/vln.ini" ] && [ -d "$user_folder/Logs" ]; then
        pass "(l) silent uninstall removes the program, its entry and its shortcut, and keeps the user's files"
    else
        fail "(l) silent uninstall" "install folder: $(ls "$installed" 2>&1 | tr '\n' ' '); user folder: $(ls "$user_folder" 2>&1 | tr '\n' ' ')"
    fi
fi

# (m) A portable copy in a folder it cannot write keeps its files per user.
readonly_copy="$drive/readonly"
mkdir -p "$readonly_copy"
cp "$exe" "$readonly_copy/vorlane.exe"
write_settings "$user_folder"
if lock_folder "$readonly_copy"; then
    start_vorlane 'C:\readonly\vorlane.exe'
    wait_attached "read-only copy"
    check_closing "(m) a copy in a folder it cannot write:" "$user_folder"
    chattr -i "$readonly_copy"
else
    note "NOTE: chattr +i is refused here: (m), a copy in a folder it cannot write, NOT run"
fi

# (g) No EchoLink folder and no vln.ini.
mv "$echolink" "$echolink.away"
rm -f "$program/vln.ini"
start_vorlane
check_box "(g) without the EchoLink folder: \"EchoLink not Installed!\", ends after OK" \
    "$vorlane" "" "EchoLink not Installed!"
mv "$echolink.away" "$echolink"

# (h) EchoLink's folder there, its automation server not registered.
timeout 60 wine "$mock" /UnregServer || fail "(h) setup" "unregistering the mock failed"
mock_gone || { control stop && mock_gone; } || fail "(h) setup" "the mock EchoLink still runs"
write_settings "$program"
start_vorlane
check_box "(h) without EchoLink's server: \"Please! Chek vln.ini [VLNDir] session\", ends after OK" \
    "$vorlane" "" "Please! Chek vln.ini [VLNDir] session"

finish
