#pragma once

#include <ocidl.h>
#include <wrl/client.h>

// The mock's one connection point, for its event interface. Connections are
// kept process-wide by MockState so that the test can count them.
class MockConnectionPoint final : public IConnectionPoint
{
public:
    explicit MockConnectionPoint(IConnectionPointContainer *container);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID *iid) override;
    HRESULT STDMETHODCALLTYPE
    GetConnectionPointContainer(IConnectionPointContainer **container) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown *sink, DWORD *cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections **connections) override;

private:
    ~MockConnectionPoint() = default;

    LONG references_ = 1;
    Microsoft::WRL::ComPtr<IConnectionPointContainer> container_;
};
