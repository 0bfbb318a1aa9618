#!/usr/bin/env bash
# Holds the Debian package and the programs in it to their ecosystems' own
# checks: lintian on the .deb (errors fail, everything else is printed),
# appstreamcli on the metainfo and the installed tree, desktop-file-validate
# on the launcher, man on the manual pages (no warnings), the changelogs
# against the package's version, and vorlane and echolink-sim answering
# --help, --version and a bad option without a display and without leaving
# any file behind. Also renders the Windows zip's README.
# Usage: package-checks.sh [build-dir]   (default build-package-checks)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build-package-checks}

"$top/scripts/install-deps.sh" dpkg-dev lintian appstream desktop-file-utils man-db

# shellcheck source=SCRIPTDIR/../../scripts/lib/tally.sh
. "$top/scripts/lib/tally.sh"
check() { # check DESCRIPTION COMMAND...: passes when COMMAND succeeds
    local what=$1
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Built as Debian builds its packages, hardened by dpkg-buildflags.
cd "$top"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORLANE_BENCH=OFF \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build" -j 2 --target vorlane echolink-sim
rm -f "$build"/vorlane_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/vorlane_*.deb)
version=$(dpkg-deb -f "$deb" Version)
echo "package-checks: $(basename "$deb")"

echo "--- lintian"
status=0
report=$(lintian --display-info --pedantic --fail-on error "$deb" 2>&1) || status=$?
grep -v "^running with root privileges" <<<"$report" || true
check "lintian finds no error" test "$status" -eq 0

root=$work/root
dpkg-deb -x "$deb" "$root"
share=$root/usr/share
metainfo=$(ls "$share"/metainfo/*.metainfo.xml)

echo "--- appstreamcli, desktop-file-validate"
# --no-net: CI cannot reach the screenshots' and home page's addresses.
check "appstreamcli validates $(basename "$metainfo")" appstreamcli validate --no-net "$metainfo"
check "appstreamcli validates the installed tree (the launchable desktop file is there)" \
    appstreamcli validate-tree --no-net "$root"
desktop_report=$(desktop-file-validate "$share/applications/vorlane.desktop" 2>&1) || true
check "desktop-file-validate has nothing to say about vorlane.desktop" test -z "$desktop_report"
[ -z "$desktop_report" ] || echo "$desktop_report"

echo "--- manual pages"
has_sections() { # has_sections RENDERED-PAGE
    local section
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS FILES "EXIT STATUS"; do
        grep -qx "$section" "$1" || return 1
    done
}
for page in vorlane echolink-sim; do
    file=$share/man/man1/$page.1.gz
    if [ ! -f "$file" ]; then
        fail "$page.1.gz is in the package"
        continue
    fi
    warnings=$(MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null) || true
    check "man renders $page(1) without warnings" test -z "$warnings"
    [ -z "$warnings" ] || echo "$warnings"
    MANWIDTH=80 man -l "$file" >"$work/$page.txt" 2>/dev/null
    check "$page(1) says what it is, its options, files and exit status" has_sections "$work/$page.txt"
done

echo "--- changelogs"
windows_readme_lists() { # windows_readme_lists README VERSION
    grep -q "^What's new" "$1" && grep -q "^$2 (" "$1" && ! grep -q "@[A-Z_]*@" "$1" &&
        [ "$(grep -c $'\r$' "$1")" -eq "$(wc -l <"$1")" ]
}
zcat "$share/doc/vorlane/changelog.gz" >"$work/changelog"
check "the Debian changelog parses and its newest entry is $version" \
    test "$(dpkg-parsechangelog -l "$work/changelog" -S Version 2>/dev/null)" = "$version"
check "the newest AppStream release is $version" \
    grep -q "<release version=\"$version\"" "$metainfo"
cmake -DSOURCE_DIR="$top" -DOUTPUT_DIR="$work/windows" -DPLATFORM=Windows \
    -P "$top/packaging/GeneratePackageFiles.cmake"
check "the Windows README lists $version under What's new, in CR LF lines" \
    windows_readme_lists "$work/windows/README.txt" "$version"

echo "--- --help, --version and a bad option without a display"
# A fresh HOME, TMPDIR and working folder, and no DISPLAY, WAYLAND_DISPLAY,
# QT_QPA_PLATFORM or XDG_RUNTIME_DIR: env -i starts from nothing.
fresh=$work/fresh
mkdir -p "$fresh/home" "$fresh/tmp" "$fresh/cwd"
answers() { # answers CODE STREAM PATTERN PROGRAM ARGS...: STREAM (out or err)
    # matches PATTERN, the other stream stays empty, and the exit code is CODE.
    local code=$1 stream=$2 pattern=$3 program=$4 status=0
    shift 4
    (cd "$fresh/cwd" && timeout 10 env -i PATH=/usr/bin:/bin HOME="$fresh/home" TMPDIR="$fresh/tmp" \
        "$root/usr/bin/$program" "$@" >"$work/out" 2>"$work/err") || status=$?
    local other=out
    [ "$stream" = out ] && other=err
    if [ "$status" -eq "$code" ] && grep -qE -- "$pattern" "$work/$stream" && [ ! -s "$work/$other" ]; then
        pass "$program $* exits $code"
    else
        fail "$program $* exits $code (got $status; stdout: $(head -c 200 "$work/out"); stderr: $(head -c 200 "$work/err"))"
    fi
}
for program in vorlane echolink-sim; do
    answers 0 out "^$program $version\$" "$program" --version
    answers 0 out "^Usage:" "$program" --help
    answers 0 out "^Usage:" "$program" -h
    answers 2 err "^Usage:" "$program" --no-such-option
done
answers 2 err "^Usage:" vorlane --help stray-word

left=$(cd "$fresh" && find . -mindepth 1 -not -path ./home -not -path ./tmp -not -path ./cwd)
check "no file appeared in HOME, TMPDIR or the working folder" test -z "$left"
[ -z "$left" ] || echo "$left"
beside=$(ls "$root/usr/bin")
check "nothing appeared beside the programs" test "$(echo $beside)" = "echolink-sim vorlane"

tally_end
