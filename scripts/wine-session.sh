# Sourced by the scripts that run Windows programs: a fresh 64-bit Wine
# prefix and a private Xvfb display in a work folder of their own, both gone
# when the script exits. Sets work, WINEPREFIX and DISPLAY.
# Usage: . wine-session.sh NAME
work=$(mktemp -d "${TMPDIR:-/tmp}/vorlane-$1.XXXXXX")
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'timeout 30 wineserver -k >/dev/null 2>&1; kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "wine-session: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(cat "$work/display")

# Boots the prefix; out-of-process COM activation hangs without the wait.
boot_prefix() {
    timeout 180 wineboot -i >"$work/wineboot.log" 2>&1 || { cat "$work/wineboot.log"; return 1; }
    timeout 120 wineserver -w
}
