#include "MockClassFactory.h"

#include "MockEchoLink.h"

MockClassFactory &MockClassFactory::instance()
{
    static MockClassFactory factory;
    return factory;
}

HRESULT STDMETHODCALLTYPE MockClassFactory::QueryInterface(REFIID iid, void **object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory *>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE MockClassFactory::AddRef()
{
    return 2;
}

ULONG STDMETHODCALLTYPE MockClassFactory::Release()
{
    return 1;
}

HRESULT STDMETHODCALLTYPE MockClassFactory::CreateInstance(IUnknown *outer, REFIID iid,
                                                           void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    auto *echoLink = new MockEchoLink;
    const HRESULT result = echoLink->QueryInterface(iid, object);
    echoLink->Release();
    return result;
}

HRESULT STDMETHODCALLTYPE MockClassFactory::LockServer(BOOL lock)
{
    if (lock)
        MockState::instance().objectCreated();
    else
        MockState::instance().objectReleased();
    return S_OK;
}
