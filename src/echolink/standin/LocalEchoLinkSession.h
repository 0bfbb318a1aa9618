#pragma once

#include "UnixSocket.h"
#include "echolink/EchoLinkSession.h"

#include <QByteArray>
#include <QJsonObject>
#include <QSocketNotifier>

#include <memory>
#include <optional>

// The session with the stand-in echolink-sim over its local socket.
//
// Member calls block the caller until the reply comes, without running an
// event loop, so no other handler can start meanwhile; no reply within
// replyTimeoutMs, an error reply or a lost connection throws EchoLinkError.
// A lost connection is final: every later call throws at once.
//
// Events are emitted on this object's thread, each from its own queued
// call, so a handler always runs to its end (calls included) before the next
// event starts. A ping is answered behind them (see SimProtocol).
class LocalEchoLinkSession : public EchoLinkSession
{
    Q_OBJECT

public:
    static constexpr int replyTimeoutMs = 2000;

    // The session with the stand-in serving serverName; nullptr when none
    // accepts the connection within timeoutMs.
    static std::unique_ptr<LocalEchoLinkSession> connectTo(const QString &serverName, int timeoutMs);

    QString stationCallsign() override;
    void sendChatText(const QString &text) override;
    void setBusyFlagA(bool busy) override;
    void setBusyFlagB(bool busy) override;

protected:
    bool event(QEvent *event) override;

private:
    explicit LocalEchoLinkSession(UnixSocket socket);

    QJsonValue call(QLatin1StringView member, const QJsonValue &arg = QJsonValue::Undefined);
    void waitForReply(QLatin1StringView member, QDeadlineTimer deadline);
    void readIncoming();
    void stopWatchingIfClosed();
    void take(const QJsonObject &message);
    void deliver(const QJsonObject &event);
    void answerPing(qint64 id);

    UnixSocket m_socket;
    // Declared after the socket so that it stops watching before it closes.
    QSocketNotifier m_notifier;
    QByteArray m_buffer;
    qint64 m_lastId = 0;
    std::optional<QJsonObject> m_reply;
};
