#include "DualMembers.h"

#include "com/Bstr.h"
#include "com/ComError.h"

using Microsoft::WRL::ComPtr;

namespace {

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

DualMembers::DualMembers(ComPtr<IUnknown> echoLink)
    : echoLink_(std::move(echoLink))
{}

std::wstring DualMembers::stationCallsign()
{
    ComPtr<IUnknown> returned;
    ComError::check(callSlot(echoLink_.Get(), stationInfoSlot, returned.GetAddressOf()),
                    "StationInfo");
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

void DualMembers::sendChatText(const std::wstring &text)
{
    const Bstr chat(text);
    ComError::check(callSlot(echoLink_.Get(), sendChatTextSlot, chat.get()), "SendChatText");
}

void DualMembers::setBusyFlagA(bool busy)
{
    ComError::check(callSlot(echoLink_.Get(), busyFlagASlot, variantBool(busy)), "BusyFlagA");
}

void DualMembers::setBusyFlagB(bool busy)
{
    ComError::check(callSlot(echoLink_.Get(), busyFlagBSlot, variantBool(busy)), "BusyFlagB");
}
