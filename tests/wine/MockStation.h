#pragma once

#include "MockDispatch.h"
#include "MockEchoLinkLib.h"

// The own-station object StationInfo returns.
class MockStation final : public MockDispatch<IMockStation>
{
public:
    MockStation();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // Reads Callsign itself and leaves the rest to DispInvoke, which under
    // Wine copies a NULL BSTR result into an empty one.
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS *parameters, VARIANT *result,
                                     EXCEPINFO *exception, UINT *argumentError) override;

    HRESULT STDMETHODCALLTYPE get_Callsign(BSTR *callsign) override;
    HRESULT STDMETHODCALLTYPE Reserved8() override;
    HRESULT STDMETHODCALLTYPE Reserved9() override;
    HRESULT STDMETHODCALLTYPE Reserved10() override;

private:
    ~MockStation() = default;

    LONG references_ = 1;
};
