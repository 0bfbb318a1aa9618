#pragma once

#include "MockState.h"

#include <wrl/client.h>

// IDispatch for one of the mock's dual interfaces, driven by its type info.
template <typename Interface>
class MockDispatch : public Interface
{
public:
    explicit MockDispatch(REFIID iid)
        : iid_(iid)
    {}

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override
    {
        if (!count)
            return E_POINTER;
        *count = 1;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo **info) override
    {
        if (!info)
            return E_POINTER;
        *info = nullptr;
        return index == 0 ? MockState::instance().typeInfo(iid_, info) : DISP_E_BADINDEX;
    }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *names, UINT count, LCID,
                                            DISPID *ids) override
    {
        Microsoft::WRL::ComPtr<ITypeInfo> info;
        const HRESULT result = MockState::instance().typeInfo(iid_, info.GetAddressOf());
        return FAILED(result) ? result : DispGetIDsOfNames(info.Get(), names, count, ids);
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *parameters,
                                     VARIANT *result, EXCEPINFO *exception,
                                     UINT *argumentError) override
    {
        Microsoft::WRL::ComPtr<ITypeInfo> info;
        const HRESULT found = MockState::instance().typeInfo(iid_, info.GetAddressOf());
        if (FAILED(found))
            return found;
        return DispInvoke(static_cast<Interface *>(this), info.Get(), id, flags, parameters, result,
                          exception, argumentError);
    }

private:
    const IID iid_;
};
