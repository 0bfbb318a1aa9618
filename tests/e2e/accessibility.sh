#!/usr/bin/env bash
# What a screen reader on Linux gets from Vorlane, read through the real
# accessibility bus (AT-SPI, as Orca reads it) during a transmission beside
# the stand-in: every control that takes the focus has a name, the top row is
# the status bar and reads the count as text, the lamp bar is a progress bar
# whose value grows, and the alarm points, "Over" and the standby wait are
# announced. The probe is accessibility_probe.py (Debian's python3-pyatspi).
# shellcheck source=SCRIPTDIR/lib.sh
. "$(dirname "$0")/lib.sh"

setup_portable_copy
# A 10-second limit, so the whole transmission fits in the test.
printf '%s\r\n' "Timer=00:00:10" "FontSize=9" "Standby=2" "SyncTX=1" "SyncRX=1" "Alarm=0" \
    "DispDate=0" "DispTime=1" "LogFile=0" "Position= 100, 100, 5640, 8460" "ELDir=$work/" \
    "VLNDir=$work/" "Timer01=00:00:00,00:00:00,0" "Timer02=00:00:00,00:00:00,0" \
    "HttpLog=" "Speech=0" >"$work/vln.ini"
start_display

# A private session bus with the accessibility bus on it, and the flag a
# running screen reader sets, which makes Qt register the application.
accessible_session() {
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/a11y-bus.log" 2>&1 &
    for _ in $(seq 50); do
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
            >/dev/null 2>&1 && break
        sleep 0.1
    done
    for flag in IsEnabled ScreenReaderEnabled; do
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
            string:org.a11y.Status string:$flag variant:boolean:true >/dev/null
    done
    # The probe listens before Vorlane starts, so Vorlane learns at once
    # that its announcements are wanted.
    /usr/bin/python3 "$probe" "$work/echolink-sim" "$work/listening" &
    local probe_pid=$!
    for _ in $(seq 100); do [ -e "$work/listening" ] && break; sleep 0.1; done
    start_programs
    wait $probe_pid
}
probe=$(cd "$(dirname "$0")" && pwd)/accessibility_probe.py
export -f accessible_session start_programs start_vorlane
export work probe
status=0
dbus-run-session -- bash -c accessible_session || status=$?
[ $status -eq 0 ] || fail "the accessibility probe failed ($status)"
echo "PASS: read and announced through AT-SPI"
