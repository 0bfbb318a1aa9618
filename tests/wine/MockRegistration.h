#pragma once

#include <windows.h>

#include <string>

// Registers the mock as EchoLinkAutomation, hosted by `module` either in
// process (a DLL) or out of process (an EXE, started with `options` after
// its path), with its type library, which out-of-process calls need for
// marshalling.
//
// The 32-bit EXE needs nothing more for a 64-bit client, as on Windows; seen
// under Wine 8.0: its class lands in the 32-bit view only
// (Classes\Wow6432Node\CLSID), where a 64-bit CLSCTX_LOCAL_SERVER activation
// still finds its LocalServer32; the 32-bit RegisterTypeLib writes the
// interface keys into both views and the library (a shared key) as "win32"
// only, which the 64-bit typelib marshaller falls back to.
HRESULT registerMock(HMODULE module, bool inProcess, const std::wstring &options = {});
// Removes the class, so that creating it fails as with EchoLink not installed.
HRESULT unregisterMock();
