#pragma once

#include "MockEvent.h"

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

// What the mock EchoLink knows across all its objects in one process: the
// calls received, the settings the test steers, the connected sinks, and
// the raising of events.
class MockState
{
public:
    // The failure every EchoLink member returns while failing is on.
    static constexpr HRESULT failure = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0xA01);

    static MockState &instance();

    void setModule(HMODULE module) { module_ = module; }
    // Called on the last object's release (the out-of-process host quits).
    void setIdleHandler(void (*handler)()) { idleHandler_ = handler; }

    // Records an EchoLink member call; its result, S_OK or failure.
    HRESULT memberCall(const std::wstring &call);
    // Records a call of a slot EchoLink leaves unused, which always fails.
    HRESULT reservedCall(int slot);
    std::wstring calls();
    void clearCalls();

    std::wstring ownCallsign();
    void setOwnCallsign(const std::wstring &callsign);
    void setFailing(bool failing) { failing_ = failing; }
    bool hideClassInfo() const { return hideClassInfo_; }
    void setHideClassInfo(bool hide) { hideClassInfo_ = hide; }
    bool refuseDual() const { return refuseDual_; }
    void setRefuseDual(bool refuse) { refuseDual_ = refuse; }

    HRESULT typeInfo(REFGUID guid, ITypeInfo **info);

    HRESULT advise(IUnknown *sink, DWORD *cookie);
    HRESULT unadvise(DWORD cookie);
    LONG connections();

    void objectCreated();
    void objectReleased();
    LONG objects() const { return objects_; }

    HRESULT fire(const MockEvent &event);

private:
    MockState();
    void record(const std::wstring &call);
    HRESULT raise(const MockEvent &event);
    static DWORD WINAPI raiseOnOwnThread(void *event);

    CRITICAL_SECTION lock_;
    HMODULE module_ = nullptr;
    void (*idleHandler_)() = nullptr;
    std::wstring calls_;
    std::wstring ownCallsign_ = L"N0CALL";
    bool failing_ = false;
    bool hideClassInfo_ = false;
    bool refuseDual_ = false;
    ITypeLib *typeLib_ = nullptr;
    IGlobalInterfaceTable *sinks_ = nullptr;
    std::vector<DWORD> cookies_;
    std::vector<MockEvent> armed_;
    LONG objects_ = 0;
};
