#include "LocalEchoLinkSession.h"

#include "SimProtocol.h"
#include "echolink/EchoLinkError.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>

#include <utility>

using namespace SimProtocol;

namespace {

EchoLinkError failure(QLatin1StringView member, const QString &why)
{
    return EchoLinkError(QStringLiteral("EchoLink %1: %2").arg(member, why).toStdString());
}

class PongEvent : public QEvent
{
public:
    static inline const Type kind = Type(QEvent::registerEventType());

    explicit PongEvent(qint64 id) : QEvent(kind), pingId(id) {}

    const qint64 pingId;
};

} // namespace

std::unique_ptr<LocalEchoLinkSession> LocalEchoLinkSession::connectTo(const QString &serverName,
                                                                       int timeoutMs)
{
    auto socket = UnixSocket::connectTo(UnixSocket::serverPath(serverName), QDeadlineTimer(timeoutMs));
    if (!socket)
        return nullptr;
    return std::unique_ptr<LocalEchoLinkSession>(new LocalEchoLinkSession(std::move(*socket)));
}

LocalEchoLinkSession::LocalEchoLinkSession(UnixSocket socket)
    : m_socket(std::move(socket))
    , m_notifier(m_socket.descriptor(), QSocketNotifier::Read)
{
    connect(&m_notifier, &QSocketNotifier::activated, this, &LocalEchoLinkSession::readIncoming);
}

QString LocalEchoLinkSession::stationCallsign()
{
    const QJsonValue result = call(Member::callsign);
    if (!result.isString())
        throw failure(Member::callsign, QStringLiteral("no callsign in the reply"));
    return result.toString();
}

void LocalEchoLinkSession::sendChatText(const QString &text)
{
    call(Member::sendChatText, text);
}

void LocalEchoLinkSession::setBusyFlagA(bool busy)
{
    call(Member::busyFlagA, busy);
}

void LocalEchoLinkSession::setBusyFlagB(bool busy)
{
    call(Member::busyFlagB, busy);
}

QJsonValue LocalEchoLinkSession::call(QLatin1StringView member, const QJsonValue &arg)
{
    if (!m_socket.isOpen())
        throw failure(member, QStringLiteral("not running"));
    m_reply.reset();
    const QDeadlineTimer deadline(replyTimeoutMs);
    if (!m_socket.write(encode(callRequest(++m_lastId, member, arg)), deadline)) {
        stopWatchingIfClosed();
        throw failure(member, m_socket.isOpen() ? QStringLiteral("no reply") : QStringLiteral("connection lost"));
    }
    waitForReply(member, deadline);
    const QJsonObject reply = *std::exchange(m_reply, std::nullopt);
    if (!reply.value(Key::ok).toBool())
        throw failure(member, reply.value(Key::error).toString());
    return reply.value(Key::result);
}

// Waits on the socket itself rather than in an event loop: nothing but this
// socket's bytes is handled until the reply is in.
void LocalEchoLinkSession::waitForReply(QLatin1StringView member, QDeadlineTimer deadline)
{
    for (;;) {
        readIncoming();
        if (m_reply)
            return;
        if (!m_socket.isOpen())
            throw failure(member, QStringLiteral("connection lost"));
        if (deadline.hasExpired())
            throw failure(member, QStringLiteral("no reply"));
        m_socket.waitForReadable(deadline);
    }
}

void LocalEchoLinkSession::readIncoming()
{
    m_buffer += m_socket.readAvailable();
    while (const auto line = takeLine(m_buffer)) {
        if (const auto message = decode(*line))
            take(*message);
    }
    if (m_buffer.size() > maxLineBytes) {
        m_buffer.clear();
        m_socket.close();
    }
    stopWatchingIfClosed();
}

// A closed descriptor must not stay watched: its number may be reused.
void LocalEchoLinkSession::stopWatchingIfClosed()
{
    if (!m_socket.isOpen())
        m_notifier.setEnabled(false);
}

// Replies to earlier calls that timed out are dropped; malformed events too.
void LocalEchoLinkSession::take(const QJsonObject &message)
{
    if (message.contains(Key::event)) {
        if (const auto event = validEvent(message))
            deliver(*event);
        return;
    }
    if (message.value(Key::ping).isDouble()) {
        answerPing(message.value(Key::ping).toInteger());
        return;
    }
    if (message.value(Key::id).toInteger(-1) == m_lastId)
        m_reply = message;
}

void LocalEchoLinkSession::deliver(const QJsonObject &event)
{
    QMetaObject::invokeMethod(
        this,
        [this, event] {
            const QString name = event.value(Key::event).toString();
            if (name == Event::closing)
                emit closing();
            else if (name == Event::rx)
                emit receiveChanged(event.value(Key::value).toBool());
            else if (name == Event::tx)
                emit transmitChanged(event.value(Key::value).toBool());
            else if (name == Event::connected)
                emit connected(event.value(Key::call).toString(), event.value(Key::name).toString(),
                               event.value(Key::addr).toString());
            else if (name == Event::disConnected)
                emit disconnected(event.value(Key::call).toString());
            else if (name == Event::chatTextReceived)
                emit chatTextReceived(event.value(Key::text).toString());
        },
        Qt::QueuedConnection);
}

// Queued like an event, so it runs after the handlers of the events before
// it; the pong then waits at low priority behind the repaints those handlers
// asked for, which Qt posts at low priority too.
void LocalEchoLinkSession::answerPing(qint64 id)
{
    QMetaObject::invokeMethod(
        this, [this, id] { QCoreApplication::postEvent(this, new PongEvent(id), Qt::LowEventPriority); },
        Qt::QueuedConnection);
}

bool LocalEchoLinkSession::event(QEvent *event)
{
    if (event->type() != PongEvent::kind)
        return EchoLinkSession::event(event);
    if (m_socket.isOpen())
        m_socket.write(encode(pongMessage(static_cast<PongEvent *>(event)->pingId)), QDeadlineTimer(replyTimeoutMs));
    stopWatchingIfClosed();
    return true;
}
