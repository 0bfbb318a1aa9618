#include "MockState.h"

#include "MockEchoLinkLib.h"

#include <olectl.h>
#include <wrl/client.h>

#include <memory>

using Microsoft::WRL::ComPtr;

namespace {

class Lock
{
public:
    explicit Lock(CRITICAL_SECTION &section)
        : section_(section)
    {
        EnterCriticalSection(&section_);
    }
    ~Lock() { LeaveCriticalSection(&section_); }
    Lock(const Lock &) = delete;
    Lock &operator=(const Lock &) = delete;

private:
    CRITICAL_SECTION &section_;
};

// The event's arguments in DISPPARAMS order (last first), typed as the
// event interface declares them.
class EventArguments
{
public:
    EventArguments(const FUNCDESC &function, const MockEvent &event)
        : values_(function.cParams)
        , texts_(function.cParams)
    {
        int text = 0;
        for (SHORT i = 0; i < function.cParams; ++i) {
            VARIANT &value = values_[function.cParams - 1 - i];
            VariantInit(&value);
            switch (function.lprgelemdescParam[i].tdesc.vt) {
            case VT_BOOL:
                V_VT(&value) = VT_BOOL;
                V_BOOL(&value) = event.flag ? trueValue(event.options) : VARIANT_FALSE;
                break;
            case VT_BSTR:
                texts_[i] = newText(event.texts[text++], event.options);
                if (event.options & MockEvent::TextsByReference) {
                    V_VT(&value) = VT_BSTR | VT_BYREF;
                    V_BSTRREF(&value) = &texts_[i];
                } else {
                    V_VT(&value) = VT_BSTR;
                    V_BSTR(&value) = texts_[i];
                }
                break;
            default:
                V_VT(&value) = VT_I4;
                V_I4(&value) = 42;
                break;
            }
        }
    }
    ~EventArguments()
    {
        for (BSTR text : texts_)
            SysFreeString(text);
    }
    EventArguments(const EventArguments &) = delete;
    EventArguments &operator=(const EventArguments &) = delete;

    DISPPARAMS parameters()
    {
        return {values_.data(), nullptr, static_cast<UINT>(values_.size()), 0};
    }

private:
    static VARIANT_BOOL trueValue(LONG options)
    {
        return (options & MockEvent::TrueAsOne) ? 1 : VARIANT_TRUE;
    }

    static BSTR newText(const std::wstring &text, LONG options)
    {
        if (text.empty() && (options & MockEvent::EmptyAsNull))
            return nullptr;
        return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    }

    std::vector<VARIANT> values_;
    std::vector<BSTR> texts_;
};

} // namespace

MockState &MockState::instance()
{
    static MockState state;
    return state;
}

MockState::MockState()
{
    InitializeCriticalSection(&lock_);
}

HRESULT MockState::memberCall(const std::wstring &call)
{
    record(call);
    std::vector<MockEvent> armed;
    {
        Lock lock(lock_);
        armed.swap(armed_);
    }
    for (const MockEvent &event : armed)
        raise(event);
    return failing_ ? failure : S_OK;
}

HRESULT MockState::reservedCall(int slot)
{
    record(L"Reserved" + std::to_wstring(slot));
    return E_NOTIMPL;
}

void MockState::record(const std::wstring &call)
{
    Lock lock(lock_);
    calls_ += call + L"\n";
}

std::wstring MockState::calls()
{
    Lock lock(lock_);
    return calls_;
}

void MockState::clearCalls()
{
    Lock lock(lock_);
    calls_.clear();
}

std::wstring MockState::ownCallsign()
{
    Lock lock(lock_);
    return ownCallsign_;
}

void MockState::setOwnCallsign(const std::wstring &callsign)
{
    Lock lock(lock_);
    ownCallsign_ = callsign;
}

HRESULT MockState::typeInfo(REFGUID guid, ITypeInfo **info)
{
    Lock lock(lock_);
    if (!typeLib_) {
        wchar_t path[MAX_PATH];
        GetModuleFileNameW(module_, path, MAX_PATH);
        const HRESULT result = LoadTypeLibEx(path, REGKIND_NONE, &typeLib_);
        if (FAILED(result))
            return result;
    }
    return typeLib_->GetTypeInfoOfGuid(guid, info);
}

HRESULT MockState::advise(IUnknown *sink, DWORD *cookie)
{
    if (!sink || !cookie)
        return E_POINTER;
    ComPtr<IUnknown> events;
    if (FAILED(sink->QueryInterface(DIID_MockEchoLinkEvents,
                                    reinterpret_cast<void **>(events.GetAddressOf()))))
        return CONNECT_E_CANNOTCONNECT;
    ComPtr<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(IID_IDispatch,
                                    reinterpret_cast<void **>(dispatch.GetAddressOf()))))
        return CONNECT_E_CANNOTCONNECT;

    Lock lock(lock_);
    if (!sinks_) {
        const HRESULT result =
            CoCreateInstance(CLSID_StdGlobalInterfaceTable, nullptr, CLSCTX_INPROC_SERVER,
                             IID_IGlobalInterfaceTable, reinterpret_cast<void **>(&sinks_));
        if (FAILED(result))
            return result;
    }
    const HRESULT result = sinks_->RegisterInterfaceInGlobal(dispatch.Get(), IID_IDispatch, cookie);
    if (SUCCEEDED(result)) {
        cookies_.push_back(*cookie);
        calls_ += L"Advise\n";
    }
    return result;
}

HRESULT MockState::unadvise(DWORD cookie)
{
    Lock lock(lock_);
    for (auto it = cookies_.begin(); it != cookies_.end(); ++it) {
        if (*it == cookie) {
            cookies_.erase(it);
            calls_ += L"Unadvise\n";
            return sinks_->RevokeInterfaceFromGlobal(cookie);
        }
    }
    return CONNECT_E_NOCONNECTION;
}

LONG MockState::connections()
{
    Lock lock(lock_);
    return static_cast<LONG>(cookies_.size());
}

void MockState::objectCreated()
{
    InterlockedIncrement(&objects_);
}

void MockState::objectReleased()
{
    if (InterlockedDecrement(&objects_) == 0 && idleHandler_)
        idleHandler_();
}

HRESULT MockState::fire(const MockEvent &event)
{
    if (event.options & MockEvent::DuringNextCall) {
        MockEvent later = event;
        later.options &= ~MockEvent::DuringNextCall;
        Lock lock(lock_);
        armed_.push_back(later);
        return S_OK;
    }
    if (event.options & MockEvent::FromOwnThread) {
        auto *copy = new MockEvent(event);
        const HANDLE thread =
            CreateThread(nullptr, 0, &MockState::raiseOnOwnThread, copy, 0, nullptr);
        if (!thread) {
            delete copy;
            return HRESULT_FROM_WIN32(GetLastError());
        }
        CloseHandle(thread);
        return S_OK;
    }
    return raise(event);
}

DWORD WINAPI MockState::raiseOnOwnThread(void *event)
{
    const std::unique_ptr<MockEvent> owned(static_cast<MockEvent *>(event));
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    instance().raise(*owned);
    CoUninitialize();
    return 0;
}

HRESULT MockState::raise(const MockEvent &event)
{
    ComPtr<ITypeInfo> info;
    HRESULT result = typeInfo(DIID_MockEchoLinkEvents, info.GetAddressOf());
    ComPtr<ITypeInfo2> info2;
    if (SUCCEEDED(result))
        result = info.As(&info2);
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR name = const_cast<LPOLESTR>(event.name.c_str());
    if (SUCCEEDED(result))
        result = info2->GetIDsOfNames(&name, 1, &id);
    UINT index = 0;
    if (SUCCEEDED(result))
        result = info2->GetFuncIndexOfMemId(id, INVOKE_FUNC, &index);
    FUNCDESC *function = nullptr;
    if (SUCCEEDED(result))
        result = info2->GetFuncDesc(index, &function);
    if (FAILED(result))
        return result;

    EventArguments arguments(*function, event);
    info2->ReleaseFuncDesc(function);
    std::vector<DWORD> cookies;
    {
        Lock lock(lock_);
        cookies = cookies_;
    }
    for (DWORD cookie : cookies) {
        ComPtr<IDispatch> sink;
        result = sinks_->GetInterfaceFromGlobal(cookie, IID_IDispatch,
                                                reinterpret_cast<void **>(sink.GetAddressOf()));
        DISPPARAMS parameters = arguments.parameters();
        if (SUCCEEDED(result))
            result = sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters,
                                  nullptr, nullptr, nullptr);
        if (FAILED(result))
            return result;
    }
    return S_OK;
}
