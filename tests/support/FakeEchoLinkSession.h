#pragma once

#include "platform/EchoLinkError.h"
#include "platform/EchoLinkSession.h"
#include "platform/SimProtocol.h"

#include <QStringList>

// An EchoLink session that records the member calls in the stand-in's line
// format ("Callsign", "SendChatText hello", "BusyFlagA 1") and raises its
// events when a test fires them. With failing set, every member call is
// recorded and then throws EchoLinkError.
class FakeEchoLinkSession : public EchoLinkSession
{
public:
    QString stationCallsign() override
    {
        record(SimProtocol::callLine(SimProtocol::Member::callsign));
        return callsign;
    }
    void SendChatText(const QString &text) override
    {
        record(SimProtocol::callLine(SimProtocol::Member::sendChatText, text));
    }
    void setBusyFlagA(bool busy) override { record(SimProtocol::callLine(SimProtocol::Member::busyFlagA, busy)); }
    void setBusyFlagB(bool busy) override { record(SimProtocol::callLine(SimProtocol::Member::busyFlagB, busy)); }

    void fireClosing() { emit Closing(); }
    void fireRX(bool on) { emit RX(on); }
    void fireTX(bool on) { emit TX(on); }
    void fireConnected(const QString &call, const QString &name = {}, const QString &addr = {})
    {
        emit Connected(call, name, addr);
    }
    void fireDisConnected(const QString &call) { emit DisConnected(call); }
    void fireChatTextReceived(const QString &text) { emit ChatTextReceived(text); }

    QStringList calls;
    QString callsign = QStringLiteral("N0CALL");
    bool failing = false;

private:
    void record(const QString &line)
    {
        calls << line;
        if (failing)
            throw EchoLinkError("EchoLink call failed");
    }
};
