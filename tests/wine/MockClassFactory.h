#pragma once

#include <unknwn.h>

// Makes MockEchoLink objects; one static instance serves the whole process.
class MockClassFactory final : public IClassFactory
{
public:
    static MockClassFactory &instance();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown *outer, REFIID iid, void **object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;
};
