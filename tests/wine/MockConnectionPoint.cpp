#include "MockConnectionPoint.h"

#include "MockEchoLinkLib.h"
#include "MockState.h"

MockConnectionPoint::MockConnectionPoint(IConnectionPointContainer *container)
    : container_(container)
{}

HRESULT STDMETHODCALLTYPE MockConnectionPoint::QueryInterface(REFIID iid, void **object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
        *object = static_cast<IConnectionPoint *>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE MockConnectionPoint::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE MockConnectionPoint::Release()
{
    const LONG remaining = InterlockedDecrement(&references_);
    if (remaining == 0)
        delete this;
    return static_cast<ULONG>(remaining);
}

HRESULT STDMETHODCALLTYPE MockConnectionPoint::GetConnectionInterface(IID *iid)
{
    if (!iid)
        return E_POINTER;
    *iid = DIID_MockEchoLinkEvents;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE
MockConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer **container)
{
    if (!container)
        return E_POINTER;
    return container_.CopyTo(container);
}

HRESULT STDMETHODCALLTYPE MockConnectionPoint::Advise(IUnknown *sink, DWORD *cookie)
{
    return MockState::instance().advise(sink, cookie);
}

HRESULT STDMETHODCALLTYPE MockConnectionPoint::Unadvise(DWORD cookie)
{
    return MockState::instance().unadvise(cookie);
}

HRESULT STDMETHODCALLTYPE MockConnectionPoint::EnumConnections(IEnumConnections **connections)
{
    if (connections)
        *connections = nullptr;
    return E_NOTIMPL;
}
