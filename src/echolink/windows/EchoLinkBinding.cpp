#include "EchoLinkBinding.h"

#include "Bstr.h"
#include "ComError.h"
#include "EventInterface.h"
#include "EventSink.h"
#include "EventWindow.h"

using Microsoft::WRL::ComPtr;

namespace {

// EchoLinkAutomation and its two interfaces.
const CLSID echoLinkClass = {
    0xD1FB3C9A, 0xBB2D, 0x446A, {0xA7, 0x4A, 0xE7, 0x71, 0xF1, 0x34, 0xED, 0x56}};
const IID echoLinkInterface = {
    0x7733112C, 0x4577, 0x4432, {0x9D, 0xB0, 0xA9, 0x39, 0x81, 0x84, 0xEA, 0xF6}};
const IID ownStationInterface = {
    0xACD8531B, 0xB0CE, 0x4F14, {0x94, 0x05, 0x6A, 0xB8, 0xAC, 0x5C, 0x9E, 0xFA}};

// Slots count from 0 and include IUnknown's three and IDispatch's four.
const int stationInfoSlot = 31;
const int callsignSlot = 7;
const int busyFlagBSlot = 37;
const int sendChatTextSlot = 40;
const int busyFlagASlot = 42;

template <typename... Arguments>
HRESULT callSlot(IUnknown *object, int slot, Arguments... arguments)
{
    using AnySlot = void (*)();
    using Method = HRESULT(STDMETHODCALLTYPE *)(IUnknown *, Arguments...);
    AnySlot *const table = *reinterpret_cast<AnySlot **>(object);
    return reinterpret_cast<Method>(table[slot])(object, arguments...);
}

VARIANT_BOOL variantBool(bool value)
{
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

} // namespace

EchoLinkBinding::EchoLinkBinding()
{
    ComError::check(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), "CoInitializeEx");
    inApartment_ = true;
}

std::unique_ptr<EchoLinkBinding> EchoLinkBinding::create(EchoLinkEvents &receiver)
{
    std::unique_ptr<EchoLinkBinding> binding(new EchoLinkBinding);
    binding->connect(receiver);
    return binding;
}

void EchoLinkBinding::connect(EchoLinkEvents &receiver)
{
    ComError::check(CoCreateInstance(echoLinkClass, nullptr,
                                     CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, echoLinkInterface,
                                     reinterpret_cast<void **>(echoLink_.GetAddressOf())),
                    "CoCreateInstance");
    EventInterface events = EventInterface::discover(echoLink_.Get(), echoLinkClass);
    const IID eventInterface = events.iid();

    ComPtr<IConnectionPointContainer> container;
    ComError::check(echoLink_.As(&container), "IConnectionPointContainer");
    ComError::check(container->FindConnectionPoint(eventInterface, connectionPoint_.GetAddressOf()),
                    "FindConnectionPoint");

    window_ = new EventWindow(receiver);
    ComPtr<EventSink> sink;
    sink.Attach(new EventSink(std::move(events), window_->handle()));
    ComError::check(connectionPoint_->Advise(sink.Get(), &cookie_), "Advise");
}

EchoLinkBinding::~EchoLinkBinding()
{
    release();
}

std::wstring EchoLinkBinding::stationCallsign()
{
    ComPtr<IUnknown> returned;
    ComError::check(callSlot(echoLink(), stationInfoSlot, returned.GetAddressOf()), "StationInfo");
    if (!returned)
        throw ComError(E_POINTER, "StationInfo");
    ComPtr<IUnknown> station;
    ComError::check(returned->QueryInterface(ownStationInterface,
                                             reinterpret_cast<void **>(station.GetAddressOf())),
                    "StationInfo");
    Bstr callsign;
    ComError::check(callSlot(station.Get(), callsignSlot, callsign.receive()), "Callsign");
    return callsign.text();
}

void EchoLinkBinding::sendChatText(const std::wstring &text)
{
    const Bstr chat(text);
    ComError::check(callSlot(echoLink(), sendChatTextSlot, chat.get()), "SendChatText");
}

void EchoLinkBinding::setBusyFlagA(bool busy)
{
    ComError::check(callSlot(echoLink(), busyFlagASlot, variantBool(busy)), "BusyFlagA");
}

void EchoLinkBinding::setBusyFlagB(bool busy)
{
    ComError::check(callSlot(echoLink(), busyFlagBSlot, variantBool(busy)), "BusyFlagB");
}

void EchoLinkBinding::release()
{
    if (!inApartment_)
        return;
    inApartment_ = false;
    auto teardown = [echoLink = std::move(echoLink_), point = std::move(connectionPoint_),
                     cookie = cookie_]() mutable {
        if (point && cookie)
            point->Unadvise(cookie);
        point.Reset();
        echoLink.Reset();
        CoUninitialize();
    };
    if (window_)
        window_->closeAfterCallbacks(std::move(teardown));
    else
        teardown();
    window_ = nullptr;
    cookie_ = 0;
}

IUnknown *EchoLinkBinding::echoLink() const
{
    if (!echoLink_)
        throw ComError(CO_E_OBJNOTCONNECTED, "EchoLink");
    return echoLink_.Get();
}
