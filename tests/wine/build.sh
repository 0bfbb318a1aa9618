#!/bin/bash
# Cross-builds the EchoLink binding's Wine test with MinGW-w64: the mock
# EchoLink as a DLL and an EXE, and the test program. Usage: build.sh OUTDIR
set -euo pipefail

out=${1:?usage: build.sh OUTDIR}
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../../src" && pwd)
cross=x86_64-w64-mingw32
mkdir -p "$out/obj"

# Debian's MinGW headers ship no .idl files; Wine's do.
"$cross-widl" --win64 -I/usr/include/wine/wine/windows \
    -L/usr/lib/x86_64-linux-gnu/wine/x86_64-windows \
    -h -H "$out/MockEchoLinkLib.h" -t -T "$out/MockEchoLinkLib.tlb" \
    -u -U "$out/MockEchoLinkLib_i.c" "$here/MockEchoLinkLib.idl"
"$cross-windres" -I"$out" "$here/MockEchoLink.rc" -o "$out/obj/MockEchoLink.res.o"
"$cross-gcc" -c -O1 "$out/MockEchoLinkLib_i.c" -o "$out/obj/MockEchoLinkLib_i.o"

binding=(Bstr ComError EchoLinkBinding EchoLinkEvent EventInterface EventSink EventWindow WinBeeper)
mock=(MockClassFactory MockConnectionPoint MockEchoLink MockRegistration MockState MockStation)
hosts=(BindingTest MockDll MockExe)

# Every C++ file is held to the project's warnings.
compile() {
    "$cross-g++" -std=c++17 -O1 -Wall -Wextra -Wpedantic -Werror -municode "$@"
}
compile_source() {
    compile -Winvalid-pch -include "$out/SystemHeaders.h" \
        -I"$src" -I"$src/platform/win" -I"$out" -I"$here" \
        -c "$1" -o "$out/obj/$(basename "$1" .cpp).o"
}
export -f compile compile_source
export cross out src here

# The system headers dominate compile time: parse them once.
printf '#include <%s>\n' windows.h ole2.h ocidl.h olectl.h wrl/client.h \
    functional map memory string vector >"$out/SystemHeaders.h"
compile -x c++-header "$out/SystemHeaders.h" -o "$out/SystemHeaders.h.gch"

# Two compiles at a time, as the machine has two cores.
# shellcheck disable=SC2016
{
    for name in "${binding[@]}"; do echo "$src/platform/win/$name.cpp"; done
    for name in "${mock[@]}" "${hosts[@]}"; do echo "$here/$name.cpp"; done
} | xargs -P 2 -I{} bash -c 'compile_source "$1"' bash {}

objects() {
    for name in "$@"; do echo "$out/obj/$name.o"; done
}
mapfile -t common < <(objects "${mock[@]}" MockEchoLinkLib_i MockEchoLink.res)
mapfile -t tested < <(objects BindingTest "${binding[@]}" MockEchoLinkLib_i)
link=(-static -static-libgcc -static-libstdc++)
libs=(-lole32 -loleaut32 -luuid -luser32 -ladvapi32)

"$cross-g++" -shared "${link[@]}" -o "$out/MockEchoLink.dll" "$out/obj/MockDll.o" \
    "${common[@]}" "$here/MockDll.def" "${libs[@]}"
"$cross-g++" -mwindows -municode "${link[@]}" -o "$out/MockEchoLink.exe" "$out/obj/MockExe.o" \
    "${common[@]}" "${libs[@]}"
"$cross-g++" -municode "${link[@]}" -o "$out/BindingTest.exe" "${tested[@]}" "${libs[@]}"
