#!/usr/bin/env bash
# A portable copy, unpacked in a folder whose name code page 932 cannot hold,
# starts beside the stand-in, shows its titled window, ends on EchoLink's
# Closing and leaves its settings file in its own folder; a second start from
# there comes up with those settings kept.
# shellcheck source=SCRIPTDIR/lib.sh
. "$(dirname "$0")/lib.sh"

setup_portable_copy "Téléchargements tü"
start_display
start_programs
wait_for_window "VLN Ver.0.1.14 "

"$work/echolink-sim" emit closing >/dev/null
wait_for_exit

ini=$work/vln.ini
escaped="$top/T&#xE9;l&#xE9;chargements t&#xFC;/"
[ -f "$ini" ] || fail "no vln.ini written"
[ "$(grep -c $'\r$' "$ini")" -eq 16 ] || fail "vln.ini is not 16 CR LF lines"
grep -qF "VLNDir=$escaped"$'\r' "$ini" || fail "VLNDir is not the program folder"
grep -qF "ELDir=$escaped"$'\r' "$ini" || fail "ELDir is not the stand-in's folder"
[ -d "$work/Logs" ] || fail "no Logs folder"
echo "PASS: start-up and EchoLink closing"

sed -i 's/^FontSize=9\r$/FontSize=12\r/' "$ini"
start_vorlane
wait_for_window "VLN Ver.0.1.14 "
"$work/echolink-sim" emit closing >/dev/null
wait_for_exit
grep -q $'^FontSize=12\r$' "$ini" || fail "the second start lost the settings"
grep -qF "VLNDir=$escaped"$'\r' "$ini" || fail "the second start lost the program folder"
echo "PASS: a second start from the same folder"
