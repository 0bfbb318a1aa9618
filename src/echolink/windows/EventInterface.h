#pragma once

#include "EchoLinkEvent.h"

#include <windows.h>
#include <oaidl.h>

#include <map>
#include <optional>

// EchoLink's event interface as its type information describes it: the
// interface id a sink must answer to, and which DISPID carries which event.
class EventInterface
{
public:
    // Reads the default source interface of the object's class, through
    // IProvideClassInfo or else through the type library behind IDispatch.
    // Throws ComError when neither yields it.
    static EventInterface discover(IUnknown *object, const CLSID &classId);

    const IID &iid() const { return iid_; }
    // Events the binding does not handle have no kind.
    std::optional<EchoLinkEventKind> kindOf(DISPID id) const;

private:
    IID iid_ = IID_NULL;
    std::map<DISPID, EchoLinkEventKind> kinds_;
};
