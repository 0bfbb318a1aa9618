#!/usr/bin/env bash
# Makes the Windows screenshots in docs/ from the real vorlane.exe under Wine
# on a private Xvfb display, beside the mock EchoLink (tests/wine): the main
# window during a transmission and the options dialog, at Wine's 96 and 192
# dots per inch (100 % and 200 %), and the installer's pages (the
# vorlane-*-setup.exe beside vorlane.exe). Needs what tests/windows/e2e.sh
# needs, and imagemagick and xdotool.
# Usage: windows-screenshots.sh [vorlane.exe]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
exe=${1:-$top/build-windows/vorlane.exe}
docs=$top/docs

"$top/scripts/install-deps.sh" g++-mingw-w64-x86-64-posix mingw-w64-tools libwine-dev wine64 wine \
    xvfb xauth fonts-wine imagemagick xdotool >/dev/null
# shellcheck source=SCRIPTDIR/lib/sandbox.sh
. "$top/scripts/lib/sandbox.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/vorlane-shots.XXXXXX")
cleanup() { sandbox_cleanup; rm -rf "$work"; }
sandbox_on_exit cleanup
sandbox_display "$work"
sandbox_wine_prefix "$work"
sandbox_wine_boot
"$top/tests/wine/build.sh" "$work/build" >"$work/build.log" 2>&1 || { tail "$work/build.log"; exit 1; }
sandbox_wine_ready
mock=$work/build/win32/MockEchoLink.exe
[ -f "$mock" ] || mock=$work/build/MockEchoLink.exe
timeout 60 wine "$mock" /RegServer /Lifetime 900
control() { timeout 60 wine "$work/build/MockControl.exe" "$@" >/dev/null; }

program=$WINEPREFIX/drive_c/vorlane
mkdir -p "$program" "$WINEPREFIX/drive_c/Program Files/Q7MXZ/EchoLink"
cp "$exe" "$program/"
# ImageMagick's own convert, whatever else the PATH holds under that name.
convert=$(command -v convert-im6.q16 || command -v convert)

shot() { # file, window title pattern
    local id
    id=$(xdotool search --name "$2" | tail -1)
    import -window "$id" "$work/raw.png"
    "$convert" "$work/raw.png" -trim +repage "$docs/$1.png"
}

for dpi in 96 192; do
    suffix=$([ $dpi = 96 ] && echo "" || echo "-200")
    timeout 30 wineserver -k >/dev/null 2>&1 || true
    timeout 30 wineserver -w >/dev/null 2>&1 || true
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1
    printf '%s\r\n' "Timer=00:00:27" "FontSize=9" "Standby=5" "SyncTX=1" "SyncRX=1" "Alarm=0" \
        "DispDate=0" "DispTime=1" "LogFile=0" "Position= 0, 0, 5640, 8460" \
        'ELDir=C:\Program Files\Q7MXZ\EchoLink\' 'VLNDir=C:\vorlane\' \
        "Timer01=12:00:00,13:00:00,1" "Timer02=00:00:00,00:00:00,0" "HttpLog=" "Speech=0" \
        >"$program/vln.ini"
    (cd "$program" && exec timeout 300 wine 'C:\vorlane\vorlane.exe') >/dev/null 2>&1 &
    control wait-sinks 1 90
    control callsign JA1VLN
    control fire connected JA1ZZZ-R Repeater Tokyo
    control fire chat "JA1ZZZ-R>Good evening, 59 here"
    control fire chat "K1ABC>hello from Boston"
    control fire tx on
    sleep 22
    shot "windows-transmission$suffix" "VLN Ver"
    xdotool search --name "VLN Ver" | tail -1 | xargs -I{} xdotool windowfocus --sync {} key --delay 200 alt+f o
    sleep 2
    shot "windows-options$suffix" "Option Setting"
    xdotool search --name "Option Setting" | tail -1 | xargs -I{} xdotool windowfocus --sync {} key Escape
    control fire closing
    sleep 3
done
# The installer's pages, at 100 %: welcome, licence, finished.
timeout 30 wineserver -k >/dev/null 2>&1 || true
timeout 30 wineserver -w >/dev/null 2>&1 || true
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
setup=$(ls "$(dirname "$exe")"/vorlane-*-setup.exe | head -n 1)
timeout 300 wine "$setup" >/dev/null 2>&1 &
page() { # file: shoots the setup window, then presses Enter on it
    sleep 3
    shot "$1" "Vorlane.*Setup"
    xdotool search --name "Vorlane.*Setup" | tail -1 | xargs -I{} xdotool windowfocus --sync {} key Return
}
page windows-setup-welcome
page windows-setup-licence
sleep 5
page windows-setup-finished
echo "windows-screenshots: docs/windows-*.png"
