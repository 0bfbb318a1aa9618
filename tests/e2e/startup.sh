#!/usr/bin/env bash
# A portable copy starts beside the stand-in, shows its titled window, ends on
# EchoLink's Closing and leaves its settings file in its own folder.
. "$(dirname "$0")/lib.sh"

setup_portable_copy
start_display
start_programs
wait_for_window "VLN Ver.0.1.14 "

"$work/echolink-sim" emit closing >/dev/null
wait_for_exit

ini=$work/vln.ini
[ -f "$ini" ] || fail "no vln.ini written"
[ "$(grep -c $'\r$' "$ini")" -eq 16 ] || fail "vln.ini is not 16 CR LF lines"
grep -q "^VLNDir=$work/"$'\r'"$" "$ini" || fail "VLNDir is not the program folder"
grep -q "^ELDir=$work/"$'\r'"$" "$ini" || fail "ELDir is not the stand-in's folder"
[ -d "$work/Logs" ] || fail "no Logs folder"
echo "PASS: start-up and EchoLink closing"
