#!/usr/bin/env bash
# Tests the Debian package: builds it, installs it, and starts the installed
# program the way a user would: headless, as an ordinary user who cannot
# write /usr/bin, beside the stand-in it starts itself (and, when run as
# root, once more as root, who could). Closing from the stand-in must end it
# with its settings and Logs in the per-user folder. The package is removed
# again at the end, whatever the outcome.
# Usage: tests/packaging/deb-install.sh [build dir]   (default build-deb)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build-deb}

fail() { echo "deb-install: FAIL: $*" >&2; exit 1; }

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

"$top/scripts/install-deps.sh" dpkg-dev

# Only the two programs: packaging must not wait for the tests to build.
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORLANE_BENCH=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build" --target vorlane echolink-sim
rm -f "$build"/vorlane_*.deb
(cd "$build" && cpack -G DEB >/dev/null) || fail "cpack could not make the package"
deb=$(ls "$build"/vorlane_*.deb)
echo "deb-install: built $(basename "$deb")"

work=$(mktemp -d)
home=$work/home
installed=0
run_as=()
user_env=(env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$home/runtime"
          TMPDIR="$home/tmp" QT_QPA_PLATFORM=offscreen)
as_user() { "${run_as[@]}" "${user_env[@]}" "$@"; }
sim() { timeout 10 "${run_as[@]}" "${user_env[@]}" /usr/bin/echolink-sim "$@"; }
wait_until() {
    local deadline=$((SECONDS + 15))
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}
cleanup() {
    [ -n "${vorlane_pid:-}" ] && kill "$vorlane_pid" 2>/dev/null || true
    [ -x /usr/bin/echolink-sim ] && sim quit >/dev/null 2>&1 || true
    [ "$installed" -eq 1 ] && $sudo apt-get remove -y -qq vorlane >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb" >/dev/null \
    || fail "apt-get could not install $deb"
installed=1
for file in /usr/bin/vorlane /usr/bin/echolink-sim /usr/share/applications/vorlane.desktop \
    /usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/vorlane.png \
    /usr/share/icons/hicolor/scalable/apps/vorlane.svg; do
    [ -f "$file" ] || fail "the package did not install $file"
done

# Starts /usr/bin/vorlane with HOME=$home, lets the stand-in it starts close
# it, and checks that its files went to the per-user folder, not /usr/bin.
# A private HOME and TMPDIR keep each run apart from anything else on the
# machine (the stand-in's socket and the instance lock live in TMPDIR).
run_installed() {
    mkdir -p "$home/runtime" "$home/tmp"
    chmod 700 "$home/runtime"
    [ ${#run_as[@]} -eq 0 ] || chown -R nobody:"$(id -gn nobody)" "$home"

    as_user /usr/bin/vorlane >"$work/vorlane.log" 2>&1 &
    vorlane_pid=$!
    wait_until sim calls || fail "$1: the stand-in started by /usr/bin/vorlane does not answer"
    # emit fails until Vorlane's session is connected.
    wait_until sim emit closing || fail "$1: vorlane never connected to the stand-in"
    timeout 15 tail --pid="$vorlane_pid" -f /dev/null || fail "$1: vorlane did not exit after Closing"
    wait "$vorlane_pid" || fail "$1: vorlane exited with status $? ($(cat "$work/vorlane.log"))"
    vorlane_pid=

    local folder=$home/.local/share/vorlane
    local ini=$folder/vln.ini
    [ -f "$ini" ] || fail "$1: no $ini written"
    [ "$(wc -l <"$ini")" -eq 16 ] && [ "$(grep -c $'\r$' "$ini")" -eq 16 ] \
        || fail "$1: vln.ini is not 16 CR LF lines"
    grep -q "^VLNDir=$folder/"$'\r'"$" "$ini" || fail "$1: VLNDir is not $folder/"
    grep -q "^ELDir=/usr/bin/"$'\r'"$" "$ini" || fail "$1: ELDir is not /usr/bin/"
    [ -d "$folder/Logs" ] || fail "$1: no Logs folder in $folder"
    [ ! -e /usr/bin/vln.ini ] && [ ! -e /usr/bin/Logs ] || fail "$1: files appeared in /usr/bin"
    sim quit >/dev/null || fail "$1: the stand-in did not quit"
}

# An ordinary user, who cannot write /usr/bin; under root that is nobody.
if [ "$(id -u)" -eq 0 ]; then
    chmod 755 "$work"
    run_as=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
fi
run_installed "as a user"
# Root could write /usr/bin, and the installed copy must still keep out of it.
if [ "$(id -u)" -eq 0 ]; then
    run_as=()
    home=$work/root-home
    user_env=(env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$home/runtime"
              TMPDIR="$home/tmp" QT_QPA_PLATFORM=offscreen)
    run_installed "as root"
fi

$sudo apt-get remove -y -qq vorlane >/dev/null || fail "apt-get could not remove vorlane"
installed=0
! dpkg-query -W -f='${Status}' vorlane 2>/dev/null | grep -q "install ok installed" \
    || fail "vorlane is still installed"
echo "PASS: $(basename "$deb") installs, runs from /usr/bin, keeps its files in ~/.local/share/vorlane (also as root) and uninstalls"
