#pragma once

#include <windows.h>
#include <oaidl.h>

#include <map>
#include <string>

// The DISPIDs of one kind of object, each looked up by name on first use
// and kept for every later call, on that object or another of its kind.
class DispatchNames
{
public:
    // Throws ComError named after the member when the object does not know it.
    DISPID idOf(IDispatch *object, const std::string &name);

private:
    std::map<std::string, DISPID> ids_;
};
