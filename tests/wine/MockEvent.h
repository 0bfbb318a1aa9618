#pragma once

#include <windows.h>

#include <string>

// One event the mock is asked to raise, and how.
struct MockEvent
{
    enum Option : LONG {
        FromOwnThread = 1,    // raise it later from a thread of the mock
        TextsByReference = 2, // VT_BSTR | VT_BYREF, as Visual Basic servers do
        TrueAsOne = 4,        // a VARIANT_BOOL true of 1 rather than -1
        EmptyAsNull = 8,      // an empty text as a NULL BSTR
        DuringNextCall = 16,  // raise it inside the next EchoLink member call
    };

    std::wstring name;
    bool flag = false;
    std::wstring texts[3];
    LONG options = 0;
};
