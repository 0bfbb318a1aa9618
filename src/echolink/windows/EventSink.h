#pragma once

#include "EventInterface.h"

#include <windows.h>
#include <oaidl.h>

// The object EchoLink calls for its events. It answers to the discovered
// event interface id, turns each known event's arguments into an
// EchoLinkEvent and posts it to the event window; unknown events are ignored.
class EventSink final : public IDispatch
{
public:
    // Starts with one reference, owned by the caller.
    EventSink(EventInterface events, HWND window);
    EventSink(const EventSink &) = delete;
    EventSink &operator=(const EventSink &) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo **info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR *names, UINT count, LCID locale,
                                            DISPID *ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS *parameters, VARIANT *result, EXCEPINFO *exception,
                                     UINT *argumentError) override;

private:
    ~EventSink() = default;
    // Reads the event's arguments and posts it to the event window.
    HRESULT post(EchoLinkEventKind kind, const DISPPARAMS &parameters) const;

    LONG references_ = 1;
    const EventInterface events_;
    const HWND window_;
};
