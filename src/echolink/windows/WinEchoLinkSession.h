#pragma once

#include "EchoLinkEvents.h"
#include "echolink/EchoLinkSession.h"

#include <memory>

class EchoLinkBinding;

// The EchoLink session on Windows: EchoLinkBinding turned into Qt signals and
// EchoLinkError. The binding already delivers events from the GUI thread's
// message loop, outside any handler.
class WinEchoLinkSession : public EchoLinkSession, private EchoLinkEvents
{
    Q_OBJECT

public:
    // Creates EchoLink's automation object and connects to its events;
    // throws EchoLinkError when either fails.
    static std::unique_ptr<EchoLinkSession> create();
    ~WinEchoLinkSession() override;

    QString stationCallsign() override;
    void sendChatText(const QString &text) override;
    void setBusyFlagA(bool busy) override;
    void setBusyFlagB(bool busy) override;

private:
    WinEchoLinkSession();

    void onClosing() override;
    void onRX(bool receiving) override;
    void onTX(bool transmitting) override;
    void onConnected(const std::wstring &callsign, const std::wstring &name,
                     const std::wstring &address) override;
    void onDisConnected(const std::wstring &callsign) override;
    void onChatTextReceived(const std::wstring &chatLine) override;

    std::unique_ptr<EchoLinkBinding> binding_;
};
