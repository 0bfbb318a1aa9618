# shellcheck shell=bash
# Sourced by the scripts that run programs away from the desktop: a private
# Xvfb display and a fresh 64-bit Wine prefix, each in a work folder the
# caller made, ended again by sandbox_cleanup. Names start with sandbox_.
#
#   work=$(mktemp -d)
#   cleanup() { sandbox_cleanup; rm -rf "$work"; }
#   sandbox_on_exit cleanup
#   sandbox_display "$work" || exit 1          # exports DISPLAY
#   sandbox_wine_prefix "$work"                # exports WINEPREFIX and co.
#   sandbox_wine_boot                          # in the background ...
#   ...                                        # ... while something builds
#   sandbox_wine_ready || exit 1

sandbox_xvfb=""
sandbox_wine=""
sandbox_boot_pid=""

# Runs FUNCTION when the script exits, also when it is interrupted: bash runs
# no EXIT trap when a signal it does not catch kills it.
sandbox_on_exit() {
    # shellcheck disable=SC2064 # FUNCTION is named now, on purpose
    trap "$1" EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

# Starts Xvfb on a display of its own in DIR and exports DISPLAY; Xvfb picks
# the first free number and names it (-displayfd), so two runs never meet.
# With "cookie", only clients holding DIR/Xauthority (exported as
# XAUTHORITY) may connect. Returns non-zero, with Xvfb's log, when it fails.
# Usage: sandbox_display DIR [SCREEN (1280x1024x24)] [cookie]
sandbox_display() {
    local dir=$1 screen=${2:-1280x1024x24} auth=() cookie="" number
    [ -z "$sandbox_xvfb" ] || { echo "sandbox: one display per script" >&2; return 1; }
    # Nothing may take the desktop's Wayland session for the private display.
    unset WAYLAND_DISPLAY
    if [ "${3:-}" = cookie ]; then
        export XAUTHORITY=$dir/Xauthority
        cookie=$(mcookie)
        # Xvfb takes every cookie in the file whatever its display; clients
        # look theirs up by number, added below once Xvfb has chosen it.
        touch "$XAUTHORITY"
        xauth -q -f "$XAUTHORITY" add sandbox/unix:0 . "$cookie"
        auth=(-auth "$XAUTHORITY")
    fi
    rm -f "$dir/display"
    # -noreset: Xvfb resets when its last client leaves, and a client that
    # connects meanwhile fails ("could not connect to display"), now and then.
    Xvfb -displayfd 9 -noreset -screen 0 "$screen" -nolisten tcp "${auth[@]}" \
        9>"$dir/display" >"$dir/xvfb.log" 2>&1 &
    sandbox_xvfb=$!
    for _ in $(seq 50); do
        [ -s "$dir/display" ] && break
        kill -0 "$sandbox_xvfb" 2>/dev/null || break
        sleep 0.1
    done
    number=$(cat "$dir/display" 2>/dev/null)
    if [ -z "$number" ]; then
        echo "sandbox: Xvfb did not start:" >&2
        tail -n 20 "$dir/xvfb.log" >&2
        return 1
    fi
    if [ -n "$cookie" ]; then
        xauth -q -f "$XAUTHORITY" add ":$number" . "$cookie"
        xauth -q -f "$XAUTHORITY" remove sandbox/unix:0
    fi
    export DISPLAY=:$number
}

# Exports a fresh 64-bit prefix in DIR/prefix for Wine; its log files go to
# DIR too. sandbox_wine_boot or sandbox_wine_ready makes it.
sandbox_wine_prefix() {
    sandbox_wine=$1
    # With mscoree and mshtml off wineboot offers no Mono or Gecko install.
    export WINEPREFIX=$1/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
}

# Starts making the prefix in the background (wineboot -i, tens of seconds):
# something else can build meanwhile. sandbox_wine_ready waits for it.
sandbox_wine_boot() {
    timeout 180 wineboot -i >"$sandbox_wine/wineboot.log" 2>&1 &
    sandbox_boot_pid=$!
}

# Waits for the prefix made by sandbox_wine_boot, or makes it now, and then
# for the wineserver to settle. Returns non-zero, with wineboot's log, when
# it fails.
sandbox_wine_ready() {
    local booted=1
    if [ -n "$sandbox_boot_pid" ]; then
        wait "$sandbox_boot_pid" || booted=0
        sandbox_boot_pid=""
        # Seen once, never reproduced: a background boot that failed
        # silently. It is booted once more, in the foreground.
        [ $booted = 1 ] || echo "sandbox: wineboot in the background failed; booting once more" \
            >>"$sandbox_wine/wineboot.log"
    else
        booted=0
    fi
    if [ $booted = 0 ] && ! timeout 180 wineboot -i >>"$sandbox_wine/wineboot.log" 2>&1; then
        echo "sandbox: wineboot failed:" >&2
        cat "$sandbox_wine/wineboot.log" >&2
        return 1
    fi
    # Out-of-process COM activation hangs without this wait.
    timeout 120 wineserver -w
}

# Ends what the functions above started: every wine process of the prefix
# (a killed client can leave an out-of-process server running) and Xvfb.
# Removes no folder; safe to call more than once.
sandbox_cleanup() {
    if [ -n "$sandbox_wine" ]; then
        [ -z "$sandbox_boot_pid" ] || kill "$sandbox_boot_pid" 2>/dev/null || true
        timeout 30 wineserver -k >/dev/null 2>&1 || true
        # The wineserver may still be writing into the prefix.
        timeout 30 wineserver -w >/dev/null 2>&1 || true
    fi
    if [ -n "$sandbox_xvfb" ]; then
        if kill "$sandbox_xvfb" 2>/dev/null; then
            wait "$sandbox_xvfb" 2>/dev/null || true
        fi
        sandbox_xvfb=""
    fi
    return 0
}
