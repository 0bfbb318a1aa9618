#include "MockStation.h"

MockStation::MockStation()
    : MockDispatch<IMockStation>(IID_IMockStation)
{}

HRESULT STDMETHODCALLTYPE MockStation::QueryInterface(REFIID iid, void **object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)
        || (IsEqualIID(iid, IID_IMockStation) && !MockState::instance().refuseDual())) {
        *object = static_cast<IMockStation *>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE MockStation::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE MockStation::Release()
{
    const LONG remaining = InterlockedDecrement(&references_);
    if (remaining == 0)
        delete this;
    return static_cast<ULONG>(remaining);
}

HRESULT STDMETHODCALLTYPE MockStation::Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                              DISPPARAMS *parameters, VARIANT *result,
                                              EXCEPINFO *exception, UINT *argumentError)
{
    const DISPID callsignId = 1;
    if (id != callsignId || !(flags & DISPATCH_PROPERTYGET) || !result)
        return MockDispatch<IMockStation>::Invoke(id, iid, locale, flags, parameters, result,
                                                  exception, argumentError);
    BSTR callsign = nullptr;
    const HRESULT got = get_Callsign(&callsign);
    if (SUCCEEDED(got)) {
        VariantInit(result);
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = callsign;
    }
    return got;
}

HRESULT STDMETHODCALLTYPE MockStation::get_Callsign(BSTR *callsign)
{
    if (!callsign)
        return E_POINTER;
    *callsign = nullptr;
    MockState &state = MockState::instance();
    const HRESULT result = state.memberCall(L"Callsign");
    if (FAILED(result))
        return result;
    const std::wstring own = state.ownCallsign();
    // An empty callsign goes out as a NULL BSTR, as Visual Basic servers send it.
    if (!own.empty())
        *callsign = SysAllocStringLen(own.data(), static_cast<UINT>(own.size()));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MockStation::Reserved8()
{
    return MockState::instance().reservedCall(8);
}

HRESULT STDMETHODCALLTYPE MockStation::Reserved9()
{
    return MockState::instance().reservedCall(9);
}

HRESULT STDMETHODCALLTYPE MockStation::Reserved10()
{
    return MockState::instance().reservedCall(10);
}
