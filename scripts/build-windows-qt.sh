#!/usr/bin/env bash
# Builds the static Qt for Windows that vorlane.exe links, from Debian's own
# Qt source package, into a cache outside the checkout; does nothing when the
# cache already holds it. Prints the Qt prefix as its last line.
# Usage: build-windows-qt.sh [i686|x86_64]; i686 (32-bit, the release) unless told.
#
# The prefix is $VORLANE_WINDOWS_QT if set, else a folder named by Qt version
# and target under ${VORLANE_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/vorlane}.
# The prefix must stay where it was built: Qt's CMake files name it.
# With $VORLANE_QT_BUILD_DIR set, the source and build tree are kept there, and
# a build that stopped half-way resumes.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-i686}
case $arch in
    i686) compiler=g++-mingw-w64-i686-posix ;;
    x86_64) compiler=g++-mingw-w64-x86-64-posix ;;
    *) echo "build-windows-qt: unknown architecture $arch (i686 or x86_64)" >&2; exit 2 ;;
esac
target=$arch-w64-mingw32
toolchain=mingw-w64-$arch.cmake

"$top/scripts/install-deps.sh" qt6-base-dev-tools "$compiler" mingw-w64-tools dpkg-dev patch

full_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
version=${full_version%%+*}
cache=${VORLANE_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/vorlane}
prefix=${VORLANE_WINDOWS_QT:-$cache/qt-$version-$target-static}
stamp=$prefix/.vorlane-complete

finished() {
    [ -f "$stamp" ] || return 1
    echo "build-windows-qt: Qt $version for $target is in $prefix"
    echo "$prefix"
}
finished && exit 0
# One build at a time: a second caller waits for the first one's Qt.
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
finished && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

# apt-get source needs deb-src entries; Debian's images ship only deb ones.
ensure_source_entries() {
    if grep -rqs -e '^deb-src' -e '^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        return
    fi
    echo "build-windows-qt: adding source entries to apt"
    local list=/etc/apt/sources.list.d
    if [ -f $list/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' $list/debian.sources |
            $sudo tee $list/vorlane-deb-src.sources >/dev/null
    else
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list |
            $sudo tee $list/vorlane-deb-src.list >/dev/null
    fi
    $sudo apt-get update -qq
}

started=$(date +%s)
elapsed() { echo "$((($(date +%s) - started) / 60)) min"; }

if [ -n "${VORLANE_QT_BUILD_DIR:-}" ]; then
    work=$VORLANE_QT_BUILD_DIR
    mkdir -p "$work"
else
    work=$(mktemp -d "${TMPDIR:-/tmp}/vorlane-qt.XXXXXX")
    trap 'rm -rf "$work"' EXIT
fi
src=$work/qtbase
if [ ! -d "$src" ]; then
    ensure_source_entries
    mkdir -p "$work/source"
    # The same Debian revision as the host Qt whose moc, rcc and uic the build
    # uses; any source of that Qt version will do when the mirror has moved on.
    (cd "$work/source" &&
        { apt-get source -qq "qt6-base=$full_version" || apt-get source -qq qt6-base; }) \
        >"$work/source.log" 2>&1 || { cat "$work/source.log"; exit 1; }
    unpacked=$(find "$work/source" -maxdepth 1 -type d -name 'qt*base*' | head -n 1)
    [ -n "$unpacked" ] || { echo "build-windows-qt: no qtbase source in $work/source" >&2; exit 1; }
    for p in "$top"/packaging/windows/qt-patches/*.patch; do
        [ -e "$p" ] || continue
        patch -d "$unpacked" -p1 --forward --quiet <"$p"
    done
    mv "$unpacked" "$src"
    rm -rf "$work/source"
fi

mkdir -p "$prefix"
# Qt's own toolchain file names this one: keep it beside the Qt that needs it.
cp "$top/packaging/windows/$toolchain" "$prefix/"

echo "build-windows-qt: configuring Qt $version for $target ($(elapsed))"
features=(
    # Modules and parts Vorlane does not use.
    sql network dbus concurrent xml printsupport opengl vulkan direct2d
    directwrite directwrite3 jpeg gif pkg_config tabletevent
    # Bundled copies instead of libraries Windows lacks.
    system_zlib system_pcre2 system_harfbuzz system_png system_jpeg
    system_freetype system_doubleconversion system_textmarkdownreader system_libb2
)
off=()
for f in "${features[@]}"; do off+=("-DFEATURE_$f=OFF"); done
cmake -S "$src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=OFF \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DINPUT_opengl=no \
    -DFEATURE_widgets=ON -DFEATURE_testlib=ON \
    "${off[@]}" >"$work/configure.log" 2>&1 ||
    { tail -n 60 "$work/configure.log"; exit 1; }

echo "build-windows-qt: building, 15 to 40 min on 2 cores ($(elapsed))"
nice cmake --build "$work/build" -j "$(nproc)" >"$work/build.log" 2>&1 ||
    { grep -B 5 -A 20 -m 3 -e 'error:' -e 'FAILED:' "$work/build.log" | head -n 120; exit 1; }
cmake --install "$work/build" >"$work/install.log" 2>&1 ||
    { tail -n 30 "$work/install.log"; exit 1; }
touch "$stamp"
echo "build-windows-qt: Qt $version for $target installed in $prefix ($(elapsed))"
echo "$prefix"
