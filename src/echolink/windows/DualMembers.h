#pragma once

#include "EchoLinkMembers.h"

#include <windows.h>
#include <wrl/client.h>

// The members called early-bound, through their vtable slots on EchoLink's
// dual interface and on the own-station object's interface, queried for
// its own id.
class DualMembers final : public EchoLinkMembers
{
public:
    // `echoLink` is the pointer queried for EchoLink's interface id.
    explicit DualMembers(Microsoft::WRL::ComPtr<IUnknown> echoLink);

    std::wstring stationCallsign() override;
    void sendChatText(const std::wstring &text) override;
    void setBusyFlagA(bool busy) override;
    void setBusyFlagB(bool busy) override;

private:
    const Microsoft::WRL::ComPtr<IUnknown> echoLink_;
};
