#include "EventSink.h"

#include "com/Bstr.h"
#include "EventWindow.h"

#include <memory>

namespace {

// Argument `position` (0 = first declared) converted to `type`. DISPPARAMS
// holds the arguments last first; by-reference values are read through.
HRESULT readArgument(const DISPPARAMS &parameters, UINT position, VARTYPE type, VARIANT &value)
{
    if (position >= parameters.cArgs)
        return DISP_E_BADPARAMCOUNT;
    VARIANT direct;
    VariantInit(&direct);
    HRESULT result = VariantCopyInd(&direct, &parameters.rgvarg[parameters.cArgs - 1 - position]);
    if (SUCCEEDED(result))
        result = VariantChangeType(&value, &direct, 0, type);
    VariantClear(&direct);
    return result;
}

HRESULT readFlag(const DISPPARAMS &parameters, UINT position, bool &flag)
{
    VARIANT value;
    VariantInit(&value);
    const HRESULT result = readArgument(parameters, position, VT_BOOL, value);
    if (SUCCEEDED(result))
        flag = V_BOOL(&value) != VARIANT_FALSE;
    VariantClear(&value);
    return result;
}

HRESULT readText(const DISPPARAMS &parameters, UINT position, std::wstring &text)
{
    VARIANT value;
    VariantInit(&value);
    const HRESULT result = readArgument(parameters, position, VT_BSTR, value);
    if (SUCCEEDED(result)) {
        const BSTR raw = V_BSTR(&value);
        text = raw ? std::wstring(raw, SysStringLen(raw)) : std::wstring();
    }
    VariantClear(&value);
    return result;
}

} // namespace

EventSink::EventSink(EventInterface events, HWND window)
    : events_(std::move(events))
    , window_(window)
{}

HRESULT STDMETHODCALLTYPE EventSink::QueryInterface(REFIID iid, void **object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)
        || IsEqualIID(iid, events_.iid())) {
        *object = static_cast<IDispatch *>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE EventSink::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE EventSink::Release()
{
    const LONG remaining = InterlockedDecrement(&references_);
    if (remaining == 0)
        delete this;
    return static_cast<ULONG>(remaining);
}

HRESULT STDMETHODCALLTYPE EventSink::GetTypeInfoCount(UINT *count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE EventSink::GetTypeInfo(UINT, LCID, ITypeInfo **info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE EventSink::GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS *parameters,
                                            VARIANT *, EXCEPINFO *, UINT *)
{
    const auto kind = events_.kindOf(id);
    if (!kind)
        return S_OK;
    if (!parameters)
        return E_INVALIDARG;
    // COM calls in through Windows' own frames: nothing may unwind into them.
    try {
        return post(*kind, *parameters);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT EventSink::post(EchoLinkEventKind kind, const DISPPARAMS &parameters) const
{
    auto event = std::make_unique<EchoLinkEvent>();
    event->kind = kind;
    HRESULT result = S_OK;
    UINT position = 0;
    if (EchoLinkEvent::hasFlag(kind))
        result = readFlag(parameters, position++, event->flag);
    event->texts.resize(EchoLinkEvent::textCount(kind));
    for (auto &text : event->texts) {
        if (SUCCEEDED(result))
            result = readText(parameters, position++, text);
    }
    if (FAILED(result))
        return result;
    EventWindow::post(window_, std::move(event));
    return S_OK;
}
