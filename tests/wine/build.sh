#!/bin/bash
# Cross-builds the Windows test programs with MinGW-w64: the mock EchoLink as
# a DLL and an EXE, the binding's test program, and the two tools scripts
# drive a Windows run with (MockControl, WinProbe). With the i686 compiler it
# also builds the mock EXE and the test program 32-bit into OUTDIR/win32, as
# EchoLink itself and the released Vorlane are 32-bit programs, and there
# UiaProbe, which reads Vorlane through UI Automation from a process of the
# same kind.
# Usage: build.sh OUTDIR
set -euo pipefail

out=${1:?usage: build.sh OUTDIR}
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../../src" && pwd)
cross64=x86_64-w64-mingw32
cross32=i686-w64-mingw32
mkdir -p "$out/obj"

targets=("$cross64 64 $out")
if command -v "$cross32-g++-posix" >/dev/null; then
    mkdir -p "$out/win32/obj"
    targets+=("$cross32 32 $out/win32")
else
    echo "build: no $cross32-g++-posix (g++-mingw-w64-i686-posix): no 32-bit mock"
fi

# Every C++ file is held to the project's warnings.
compile() {
    local cross=$1
    shift
    "$cross-g++-posix" -std=c++17 -O1 -Wall -Wextra -Wpedantic -Werror -municode "$@"
}
# Arguments: cross prefix, output folder, source file.
compile_source() {
    compile "$1" -Winvalid-pch -include "$2/SystemHeaders.h" \
        -I"$src" -I"$src/echolink/windows" -I"$src/system" -I"$2" -I"$2/uia" -I"$here" \
        -c "$3" -o "$2/obj/$(basename "$3" .cpp).o"
}
export -f compile compile_source
export src here

for target in "${targets[@]}"; do
    read -r cross bits dir <<<"$target"
    # Debian's MinGW headers ship no .idl files; Wine's do. stdole2.tlb is
    # only read for its types, which are the same for both.
    "$cross-widl" --win"$bits" -I/usr/include/wine/wine/windows \
        -L/usr/lib/x86_64-linux-gnu/wine/x86_64-windows \
        -h -H "$dir/MockEchoLinkLib.h" -t -T "$dir/MockEchoLinkLib.tlb" \
        -u -U "$dir/MockEchoLinkLib_i.c" "$here/MockEchoLinkLib.idl"
    "$cross-windres" -I"$dir" "$here/MockEchoLink.rc" -o "$dir/obj/MockEchoLink.res.o"
    "$cross-gcc-posix" -c -O1 "$dir/MockEchoLinkLib_i.c" -o "$dir/obj/MockEchoLinkLib_i.o"
    # The system headers dominate compile time: parse them once.
    printf '#include <%s>\n' windows.h ole2.h ocidl.h olectl.h wrl/client.h \
        functional map memory string vector >"$dir/SystemHeaders.h"
    compile "$cross" -x c++-header "$dir/SystemHeaders.h" -o "$dir/SystemHeaders.h.gch"
done

# MinGW's UI Automation headers lack the client interfaces and the node
# functions; Wine's have them (uiautomationcoreapi.h is no IDL file).
if [ ${#targets[@]} -gt 1 ]; then
    mkdir -p "$out/win32/uia"
    for idl in uiautomationcore uiautomationclient; do
        "$cross32-widl" --win32 -I/usr/include/wine/wine/windows \
            -h -H "$out/win32/uia/$idl.h" "/usr/include/wine/wine/windows/$idl.idl"
    done
    cp /usr/include/wine/wine/windows/uiautomationcoreapi.h "$out/win32/uia/"
fi

binding=(com/Bstr com/ComError com/Variant DispatchMembers DispatchNames DualMembers EchoLinkBinding
    EchoLinkEvent EventInterface EventSink EventWindow)
mock=(MockClassFactory MockConnectionPoint MockEchoLink MockRegistration MockState MockStation)
hosts=(BindingTest MockDll MockExe MockControl WinProbe)

# Two compiles at a time, as the machine has two cores.
{
    for name in "${binding[@]}"; do echo "$cross64 $out $src/echolink/windows/$name.cpp"; done
    echo "$cross64 $out $src/system/WinBeeper.cpp"
    for name in "${mock[@]}" "${hosts[@]}"; do echo "$cross64 $out $here/$name.cpp"; done
    if [ ${#targets[@]} -gt 1 ]; then
        for name in "${binding[@]}"; do echo "$cross32 $out/win32 $src/echolink/windows/$name.cpp"; done
        for name in "${mock[@]}" MockExe BindingTest UiaProbe; do echo "$cross32 $out/win32 $here/$name.cpp"; done
    fi
} | xargs -P 2 -L 1 bash -c 'compile_source "$@"' bash

objects() {
    local dir=$1
    shift
    for name in "$@"; do echo "$dir/obj/$(basename "$name").o"; done
}
link=(-static -static-libgcc -static-libstdc++)
libs=(-lole32 -loleaut32 -luuid -luser32 -ladvapi32)

for target in "${targets[@]}"; do
    read -r cross bits dir <<<"$target"
    mapfile -t common < <(objects "$dir" "${mock[@]}" MockEchoLinkLib_i MockEchoLink.res)
    "$cross-g++-posix" -mwindows -municode "${link[@]}" -o "$dir/MockEchoLink.exe" \
        "$dir/obj/MockExe.o" "${common[@]}" "${libs[@]}"
    mapfile -t tested < <(objects "$dir" BindingTest "${binding[@]}" MockEchoLinkLib_i)
    "$cross-g++-posix" -municode "${link[@]}" -o "$dir/BindingTest.exe" "${tested[@]}" "${libs[@]}"
done

if [ ${#targets[@]} -gt 1 ]; then
    "$cross32-g++-posix" -municode "${link[@]}" -o "$out/win32/UiaProbe.exe" "$out/win32/obj/UiaProbe.o" \
        -lole32 -loleaut32 -luuid -luser32
fi

mapfile -t common < <(objects "$out" "${mock[@]}" MockEchoLinkLib_i MockEchoLink.res)
"$cross64-g++-posix" -shared "${link[@]}" -o "$out/MockEchoLink.dll" "$out/obj/MockDll.o" \
    "${common[@]}" "$here/MockDll.def" "${libs[@]}"
"$cross64-g++-posix" -municode "${link[@]}" -o "$out/MockControl.exe" "$out/obj/MockControl.o" \
    "$out/obj/MockEchoLinkLib_i.o" "${libs[@]}"
"$cross64-g++-posix" -municode "${link[@]}" -o "$out/WinProbe.exe" "$out/obj/WinProbe.o" \
    -luser32
