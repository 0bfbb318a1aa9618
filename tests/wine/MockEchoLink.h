#pragma once

#include "MockDispatch.h"
#include "MockEchoLinkLib.h"

#include <ocidl.h>

#define MOCK_RESERVED(slot)                                                                        \
    HRESULT STDMETHODCALLTYPE Reserved##slot() override                                            \
    {                                                                                              \
        return MockState::instance().reservedCall(slot);                                           \
    }

// The mock EchoLinkAutomation object: EchoLink's interface, the test's
// control interface, class information and one connection point. Its
// IUnknown is the control interface's, not EchoLink's, so a caller that
// skips QueryInterface lands on the wrong table.
class MockEchoLink final : public MockDispatch<IMockControl>,
                           public MockDispatch<IMockEchoLink>,
                           public IProvideClassInfo2,
                           public IConnectionPointContainer
{
public:
    MockEchoLink();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // EchoLink
    MOCK_RESERVED(7)
    MOCK_RESERVED(8)
    MOCK_RESERVED(9)
    MOCK_RESERVED(10)
    MOCK_RESERVED(11)
    MOCK_RESERVED(12)
    MOCK_RESERVED(13)
    MOCK_RESERVED(14)
    MOCK_RESERVED(15)
    MOCK_RESERVED(16)
    MOCK_RESERVED(17)
    MOCK_RESERVED(18)
    MOCK_RESERVED(19)
    MOCK_RESERVED(20)
    MOCK_RESERVED(21)
    MOCK_RESERVED(22)
    MOCK_RESERVED(23)
    MOCK_RESERVED(24)
    MOCK_RESERVED(25)
    MOCK_RESERVED(26)
    MOCK_RESERVED(27)
    MOCK_RESERVED(28)
    MOCK_RESERVED(29)
    MOCK_RESERVED(30)
    MOCK_RESERVED(32)
    MOCK_RESERVED(33)
    MOCK_RESERVED(34)
    MOCK_RESERVED(35)
    MOCK_RESERVED(36)
    MOCK_RESERVED(38)
    MOCK_RESERVED(39)
    MOCK_RESERVED(41)
    MOCK_RESERVED(43)
    HRESULT STDMETHODCALLTYPE get_StationInfo(IDispatch **station) override;
    HRESULT STDMETHODCALLTYPE put_BusyFlagB(VARIANT_BOOL busy) override;
    HRESULT STDMETHODCALLTYPE SendChatText(BSTR text) override;
    HRESULT STDMETHODCALLTYPE put_BusyFlagA(VARIANT_BOOL busy) override;

    // Control
    HRESULT STDMETHODCALLTYPE Fire(BSTR eventName, VARIANT_BOOL flag, BSTR text1, BSTR text2,
                                   BSTR text3, LONG options) override;
    HRESULT STDMETHODCALLTYPE get_Calls(BSTR *calls) override;
    HRESULT STDMETHODCALLTYPE ClearCalls() override;
    HRESULT STDMETHODCALLTYPE put_OwnCallsign(BSTR callsign) override;
    HRESULT STDMETHODCALLTYPE put_Failing(VARIANT_BOOL failing) override;
    HRESULT STDMETHODCALLTYPE put_HideClassInfo(VARIANT_BOOL hide) override;
    HRESULT STDMETHODCALLTYPE put_RefuseDual(VARIANT_BOOL refuse) override;
    HRESULT STDMETHODCALLTYPE get_Connections(LONG *count) override;
    HRESULT STDMETHODCALLTYPE get_Objects(LONG *count) override;
    HRESULT STDMETHODCALLTYPE get_ProcessId(LONG *id) override;

    // Class information
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo **info) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID *guid) override;

    // Connection points
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints **points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint **point) override;

private:
    ~MockEchoLink();

    LONG references_ = 1;
};
