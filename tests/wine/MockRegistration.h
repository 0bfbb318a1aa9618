#pragma once

#include <windows.h>

#include <string>

// Registers the mock as EchoLinkAutomation, hosted by `module` either in
// process (a DLL) or out of process (an EXE, started with `options` after
// its path), with its type library, which out-of-process calls need for
// marshalling.
//
// The 32-bit EXE registers as a 32-bit installer does on 64-bit Windows 7
// and later: class and EchoLink's interfaces in the 32-bit view only, the
// type library (a key both views share) for "win32" only. Wine 8.0 puts
// the class in the 32-bit view (Classes\Wow6432Node\CLSID) by itself, and
// its 32-bit RegisterTypeLib writes the interface keys into both views: the
// 64-bit copies are deleted here. A 64-bit client still gets the dual
// interface under Wine, unlike under Windows: its CoGetPSClsid looks in
// the other view when its own has no ProxyStubClsid32, and its type
// library loader falls back from "win64" to "win32".
HRESULT registerMock(HMODULE module, bool inProcess, const std::wstring &options = {});
// Deletes EchoLink's two interfaces from both views, so that COM can make no
// proxy or stub for them: another process reaches the object through
// IDispatch only, as a 64-bit one does beside EchoLink on Windows.
HRESULT refuseDualInterfaces();
// Removes the class, so that creating it fails as with EchoLink not installed.
HRESULT unregisterMock();
