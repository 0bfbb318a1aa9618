#!/usr/bin/env bash
# A chat line from EchoLink, with Log and Speech on: both logs are written
# and the spoken callsign is on the clipboard.
# shellcheck source=SCRIPTDIR/lib.sh
. "$(dirname "$0")/lib.sh"

setup_portable_copy
printf '%s\r\n' "Timer=00:03:00" "FontSize=9" "Standby=5" "SyncTX=1" "SyncRX=1" "Alarm=0" \
    "DispDate=0" "DispTime=1" "LogFile=1" "Position= 100, 100, 5640, 8460" "ELDir=$work/" \
    "VLNDir=$work/" "Timer01=00:00:00,00:00:00,0" "Timer02=00:00:00,00:00:00,0" \
    "HttpLog=chat%date%.html" "Speech=1" >"$work/vln.ini"
start_display
start_programs
wait_for_window "VLN Ver.0.1.14 "

"$work/echolink-sim" emit chat "N0CALL-R>hello" >/dev/null
today=$(date +%Y%m%d)
for _ in $(seq 50); do [ -s "$work/Logs/$today.txt" ] && break; sleep 0.1; done

grep -qaE $'^\[[0-9]{2}:[0-9]{2}:[0-9]{2}\]N0CALL-R>hello\r$' "$work/Logs/$today.txt" \
    || fail "text log line missing"
html=$work/chat$today.html
[ "$(head -n 1 "$html")" = $'<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">\r' ] \
    || fail "HTML log header missing"
grep -qaE $'^\[[0-9:]{8}\]N0CALL-R>hello<br>\r$' "$html" || fail "HTML log line missing"
spoken=$(xclip -o -selection clipboard)
[ "$spoken" = "NぜろCえいLL.りぴーた。hello" ] \
    || fail "clipboard holds '$spoken'"

"$work/echolink-sim" emit closing >/dev/null
wait_for_exit
echo "PASS: chat line logged and spoken"
