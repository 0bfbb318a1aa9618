#pragma once

#include "DispatchNames.h"
#include "EchoLinkMembers.h"

#include <windows.h>
#include <wrl/client.h>

// The members called late-bound, by name through IDispatch::Invoke: for a
// process that cannot have EchoLink's dual interface, such as a 64-bit
// program beside the 32-bit EchoLink, whose interfaces are registered for
// 32-bit processes only. IDispatch itself is marshalled by the system.
//
// A member that fails through DISP_E_EXCEPTION throws the HRESULT the
// exception carries, as the dual interface would have returned it.
class DispatchMembers final : public EchoLinkMembers
{
public:
    explicit DispatchMembers(Microsoft::WRL::ComPtr<IDispatch> echoLink);

    std::wstring stationCallsign() override;
    void sendChatText(const std::wstring &text) override;
    void setBusyFlagA(bool busy) override;
    void setBusyFlagB(bool busy) override;

private:
    void putFlag(const std::string &name, bool value);

    const Microsoft::WRL::ComPtr<IDispatch> echoLink_;
    DispatchNames echoLinkNames_;
    DispatchNames stationNames_;
};
