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

    HRESULT STDMETHODCALLTYPE get_Callsign(BSTR *callsign) override;
    HRESULT STDMETHODCALLTYPE Reserved8() override;
    HRESULT STDMETHODCALLTYPE Reserved9() override;
    HRESULT STDMETHODCALLTYPE Reserved10() override;

private:
    ~MockStation() = default;

    LONG references_ = 1;
};
