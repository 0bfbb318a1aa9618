#pragma once

#include "echolink/EchoLinkError.h"
#include "echolink/EchoLinkSession.h"
#include "echolink/standin/SimProtocol.h"

#include <QStringList>

// An EchoLink session that records the member calls in the stand-in's line
// format ("Callsign", "SendChatText hello", "BusyFlagA 1"); tests raise its
// events by emitting its signals. While failing, every member call is
// recorded and then throws EchoLinkError.
class FakeEchoLinkSession : public EchoLinkSession
{
public:
    QString stationCallsign() override
    {
        record(SimProtocol::callLine(SimProtocol::Member::callsign));
        return m_callsign;
    }
    void sendChatText(const QString &text) override
    {
        record(SimProtocol::callLine(SimProtocol::Member::sendChatText, text));
    }
    void setBusyFlagA(bool busy) override { record(SimProtocol::callLine(SimProtocol::Member::busyFlagA, busy)); }
    void setBusyFlagB(bool busy) override { record(SimProtocol::callLine(SimProtocol::Member::busyFlagB, busy)); }

    const QStringList &calls() const { return m_calls; }
    void clearCalls() { m_calls.clear(); }
    void setCallsign(const QString &callsign) { m_callsign = callsign; }
    void setFailing(bool failing) { m_failing = failing; }

private:
    void record(const QString &line)
    {
        m_calls << line;
        if (m_failing)
            throw EchoLinkError("EchoLink call failed");
    }

    QStringList m_calls;
    QString m_callsign = QStringLiteral("N0CALL");
    bool m_failing = false;
};
