#include "MockEchoLink.h"

#include "MockConnectionPoint.h"
#include "MockStation.h"

#include <olectl.h>

namespace {

std::wstring text(BSTR value)
{
    return value ? std::wstring(value, SysStringLen(value)) : std::wstring();
}

HRESULT newText(const std::wstring &value, BSTR *result)
{
    if (!result)
        return E_POINTER;
    *result = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
    return *result ? S_OK : E_OUTOFMEMORY;
}

HRESULT putLong(LONG value, LONG *result)
{
    if (!result)
        return E_POINTER;
    *result = value;
    return S_OK;
}

} // namespace

MockEchoLink::MockEchoLink()
    : MockDispatch<IMockControl>(IID_IMockControl)
    , MockDispatch<IMockEchoLink>(IID_IMockEchoLink)
{
    MockState::instance().objectCreated();
}

MockEchoLink::~MockEchoLink()
{
    MockState::instance().objectReleased();
}

HRESULT STDMETHODCALLTYPE MockEchoLink::QueryInterface(REFIID iid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMockControl))
        *object = static_cast<IMockControl *>(this);
    else if (IsEqualIID(iid, IID_IDispatch)
             || (IsEqualIID(iid, IID_IMockEchoLink) && !MockState::instance().refuseDual()))
        *object = static_cast<IMockEchoLink *>(this);
    else if (IsEqualIID(iid, IID_IConnectionPointContainer))
        *object = static_cast<IConnectionPointContainer *>(this);
    else if ((IsEqualIID(iid, IID_IProvideClassInfo) || IsEqualIID(iid, IID_IProvideClassInfo2))
             && !MockState::instance().hideClassInfo())
        *object = static_cast<IProvideClassInfo2 *>(this);
    if (!*object)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE MockEchoLink::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE MockEchoLink::Release()
{
    const LONG remaining = InterlockedDecrement(&references_);
    if (remaining == 0)
        delete this;
    return static_cast<ULONG>(remaining);
}

HRESULT STDMETHODCALLTYPE MockEchoLink::get_StationInfo(IDispatch **station)
{
    if (!station)
        return E_POINTER;
    *station = nullptr;
    const HRESULT result = MockState::instance().memberCall(L"StationInfo");
    if (SUCCEEDED(result))
        *station = new MockStation;
    return result;
}

HRESULT STDMETHODCALLTYPE MockEchoLink::put_BusyFlagB(VARIANT_BOOL busy)
{
    return MockState::instance().memberCall(L"BusyFlagB " + std::to_wstring(busy));
}

HRESULT STDMETHODCALLTYPE MockEchoLink::SendChatText(BSTR chat)
{
    return MockState::instance().memberCall(L"SendChatText " + text(chat));
}

HRESULT STDMETHODCALLTYPE MockEchoLink::put_BusyFlagA(VARIANT_BOOL busy)
{
    return MockState::instance().memberCall(L"BusyFlagA " + std::to_wstring(busy));
}

HRESULT STDMETHODCALLTYPE MockEchoLink::Fire(BSTR eventName, VARIANT_BOOL flag, BSTR text1,
                                             BSTR text2, BSTR text3, LONG options)
{
    MockEvent event;
    event.name = text(eventName);
    event.flag = flag != VARIANT_FALSE;
    event.texts[0] = text(text1);
    event.texts[1] = text(text2);
    event.texts[2] = text(text3);
    event.options = options;
    return MockState::instance().fire(event);
}

HRESULT STDMETHODCALLTYPE MockEchoLink::get_Calls(BSTR *calls)
{
    return newText(MockState::instance().calls(), calls);
}

HRESULT STDMETHODCALLTYPE MockEchoLink::ClearCalls()
{
    MockState::instance().clearCalls();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MockEchoLink::put_OwnCallsign(BSTR callsign)
{
    MockState::instance().setOwnCallsign(text(callsign));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MockEchoLink::put_Failing(VARIANT_BOOL failing)
{
    MockState::instance().setFailing(failing != VARIANT_FALSE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MockEchoLink::put_HideClassInfo(VARIANT_BOOL hide)
{
    MockState::instance().setHideClassInfo(hide != VARIANT_FALSE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MockEchoLink::put_RefuseDual(VARIANT_BOOL refuse)
{
    MockState::instance().setRefuseDual(refuse != VARIANT_FALSE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MockEchoLink::get_Connections(LONG *count)
{
    return putLong(MockState::instance().connections(), count);
}

HRESULT STDMETHODCALLTYPE MockEchoLink::get_Objects(LONG *count)
{
    return putLong(MockState::instance().objects(), count);
}

HRESULT STDMETHODCALLTYPE MockEchoLink::get_ProcessId(LONG *id)
{
    return putLong(static_cast<LONG>(GetCurrentProcessId()), id);
}

HRESULT STDMETHODCALLTYPE MockEchoLink::GetClassInfo(ITypeInfo **info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    return MockState::instance().typeInfo(CLSID_EchoLinkAutomation, info);
}

HRESULT STDMETHODCALLTYPE MockEchoLink::GetGUID(DWORD kind, GUID *guid)
{
    if (!guid)
        return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID)
        return E_INVALIDARG;
    *guid = DIID_MockEchoLinkEvents;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MockEchoLink::EnumConnectionPoints(IEnumConnectionPoints **points)
{
    if (points)
        *points = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE MockEchoLink::FindConnectionPoint(REFIID iid, IConnectionPoint **point)
{
    if (!point)
        return E_POINTER;
    *point = nullptr;
    if (!IsEqualIID(iid, DIID_MockEchoLinkEvents))
        return CONNECT_E_NOCONNECTION;
    *point = new MockConnectionPoint(this);
    return S_OK;
}
