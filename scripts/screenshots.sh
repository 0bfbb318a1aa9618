#!/usr/bin/env bash
# Makes the screenshots in docs/ from the real program on a private Xvfb
# display: the main window and the about box at 100 % and 200 %, a
# transmission near level 80, Busy, the three dialogs, the options at 200 %,
# and the schedule dialog framed by a window manager (it has no icon).
# Needs a build (default build/) and xvfb, xdotool, imagemagick, openbox.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=SCRIPTDIR/lib/sandbox.sh
. "$top/scripts/lib/sandbox.sh"
build=${1:-$top/build}
docs=$top/docs

work=$(mktemp -d)
cleanup() {
    "$work/echolink-sim" quit >/dev/null 2>&1 || true
    sandbox_cleanup
    rm -rf "$work"
}
sandbox_on_exit cleanup
sandbox_display "$work" 1024x1400x24
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
cp "$build/vorlane" "$build/echolink-sim" "$work/"

settings() { # limit
    printf '%s\r\n' "Timer=$1" "FontSize=9" "Standby=5" "SyncTX=1" "SyncRX=1" "Alarm=0" \
        "DispDate=0" "DispTime=1" "LogFile=1" "Position= 0, 0, 5640, 8460" "ELDir=$work/" \
        "VLNDir=$work/" "Timer01=12:00:00,13:00:00,1" "Timer02=00:00:00,00:00:00,0" "HttpLog=" \
        "Speech=0" >"$work/vln.ini"
}
start() { # extra environment
    env "$@" "$work/vorlane" >"$work/vorlane.log" 2>&1 &
    vorlane=$!
    until xdotool search --pid $vorlane --name "VLN Ver" >/dev/null 2>&1; do
        kill -0 $vorlane 2>/dev/null || { cat "$work/vorlane.log" >&2; exit 1; }
        sleep 0.2
    done
    sleep 1
    window=$(xdotool search --pid $vorlane --name "VLN Ver" | head -1)
}
stop() {
    "$work/echolink-sim" emit closing >/dev/null
    wait $vorlane
}
# ImageMagick's own convert, whatever else the PATH holds under that name.
convert=$(command -v convert-im6.q16 || command -v convert)
find_window() { # name: waits up to 10 s for it
    for _ in $(seq 50); do
        xdotool search --name "$1" 2>/dev/null | tail -1 | grep . && return 0
        sleep 0.2
    done
    echo "screenshots: no window named $1" >&2
    return 1
}
shot() { # name [window name]
    sleep 1
    local id=${2:+$(find_window "$2")}
    import -window "${id:-root}" "$work/raw.png"
    "$convert" "$work/raw.png" -trim +repage "$docs/$1.png"
}
keys() { xdotool windowfocus --sync "$window" key --delay 150 "$@"; }
press() { # window name, keys
    local id
    id=$(find_window "$1")
    shift
    xdotool windowfocus --sync "$id" key --delay 150 "$@"
}
chat() {
    "$work/echolink-sim" emit connected JA1ZZZ-R Repeater Tokyo >/dev/null
    "$work/echolink-sim" emit chat "JA1ZZZ-R>Good evening, 59 here" >/dev/null
    "$work/echolink-sim" emit chat "K1ABC>hello from Boston" >/dev/null
}

"$work/echolink-sim" --headless >/dev/null 2>&1 &
until "$work/echolink-sim" calls >/dev/null 2>&1; do sleep 0.2; done

settings 00:00:27
start
chat
"$work/echolink-sim" emit tx on >/dev/null
sleep 22
shot transmission
sleep 6
shot main-window
keys alt+a
shot about "Version Info"
press "Version Info" Escape
keys alt+f o
shot options "Option Setting"
press "Option Setting" Tab BackSpace BackSpace 6 0 Return
shot options-yellow "Option Setting"
press "Option Setting" Escape
keys alt+f t
shot schedule "SetTime"
press "SetTime" Escape
xdotool mousemove --window "$window" 245 97 click 1
shot busy "VLN Ver"
xdotool mousemove --window "$window" 340 100 click 1
sleep 1.5
press "gLogFile Open" Return
shot viewer "Logs"
stop

settings 00:03:00
start QT_SCALE_FACTOR=2
chat
shot main-window-200
keys alt+a
shot about-200 "Version Info"
press "Version Info" Escape
keys alt+f o
shot options-200 "Option Setting"
press "Option Setting" Escape
stop

openbox >/dev/null 2>&1 &
wm=$!
settings 00:03:00
start
# With a window manager a window is activated, not just given the focus.
xdotool windowactivate --sync "$window" key --delay 150 alt+f t
sleep 1
import -frame -window "$(find_window SetTime)" "$work/raw.png"
"$convert" "$work/raw.png" "$docs/schedule-framed.png"
xdotool windowactivate --sync "$(find_window SetTime)" key Escape
stop
kill $wm 2>/dev/null || true
echo "screenshots written to $docs"
