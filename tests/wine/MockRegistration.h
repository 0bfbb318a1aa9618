#pragma once

#include <windows.h>

// Registers the mock as EchoLinkAutomation, hosted by `module` either in
// process (a DLL) or out of process (an EXE), with its type library, which
// out-of-process calls need for marshalling.
HRESULT registerMock(HMODULE module, bool inProcess);
