#include "StandInServer.h"

#include "echolink/standin/SimProtocol.h"
#include "echolink/standin/UnixSocket.h"

#include <QJsonArray>
#include <QLocalSocket>
#include <QLockFile>

#include <algorithm>
#include <optional>
#include <utility>

using namespace SimProtocol;

namespace {

// The recorded line of a well-formed member call; nothing for an unknown
// member or an argument of the wrong type.
std::optional<QString> callLineOf(const QJsonObject &request)
{
    const QString member = request.value(Key::call).toString();
    const QJsonValue arg = request.value(Key::arg);
    if (member == Member::callsign)
        return callLine(Member::callsign);
    if (member == Member::sendChatText && arg.isString())
        return callLine(Member::sendChatText, arg.toString());
    if (member == Member::busyFlagA && arg.isBool())
        return callLine(Member::busyFlagA, arg.toBool());
    if (member == Member::busyFlagB && arg.isBool())
        return callLine(Member::busyFlagB, arg.toBool());
    return std::nullopt;
}

QString onOff(bool on)
{
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

} // namespace

StandInServer::StandInServer(QObject *parent)
    : QObject(parent)
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &StandInServer::accept);
    m_idleTimer.setSingleShot(true);
    connect(&m_idleTimer, &QTimer::timeout, this, &StandInServer::quitRequested);
}

StandInServer::~StandInServer()
{
    // The sockets close after this object is gone; they must not call back.
    for (QLocalSocket *socket : m_peers.keys())
        socket->disconnect(this);
}

bool StandInServer::listen(const QString &name, QString &errorText)
{
    // Checked first: Qt names neither a path too long nor a missing folder,
    // only an error number or a lock file it cannot create.
    const QString path = UnixSocket::serverPath(name);
    const QString problem = UnixSocket::pathProblem(path);
    if (!problem.isEmpty()) {
        errorText = QStringLiteral("cannot serve at %1: %2").arg(path, problem);
        return false;
    }
    // The lock, not the socket file, tells whether a stand-in is alive: a
    // killed one leaves its socket file behind but its lock goes stale.
    m_lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        errorText = m_lock->error() == QLockFile::LockFailedError
                        ? QStringLiteral("another stand-in already serves %1").arg(path)
                        : QStringLiteral("cannot create the lock file %1").arg(m_lock->fileName());
        return false;
    }
    QLocalServer::removeServer(path);
    if (!m_server.listen(path)) {
        errorText = QStringLiteral("cannot serve at %1: %2").arg(path, m_server.errorString());
        return false;
    }
    updateIdleTimer();
    return true;
}

void StandInServer::setCallsign(const QString &callsign)
{
    if (callsign == m_callsign)
        return;
    m_callsign = callsign;
    emit callsignChanged(callsign);
}

void StandInServer::setFailing(bool failing)
{
    if (failing == m_failing)
        return;
    m_failing = failing;
    emit failingChanged(failing);
}

int StandInServer::sessionCount() const
{
    return int(std::count_if(m_peers.cbegin(), m_peers.cend(), [](const Peer &peer) { return !peer.control; }));
}

int StandInServer::raise(const QJsonObject &event)
{
    // A failing write can drop a peer on the spot; walk a snapshot.
    const QHash<QLocalSocket *, Peer> peers = m_peers;
    int count = 0;
    for (auto it = peers.cbegin(); it != peers.cend(); ++it) {
        if (it->control)
            continue;
        send(it.key(), event);
        ++count;
    }
    return count;
}

void StandInServer::setIdleExit(int seconds)
{
    m_idleTimer.setInterval(seconds * 1000);
    updateIdleTimer();
}

void StandInServer::accept()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        m_peers.insert(socket, Peer());
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { drop(socket); });
        emit sessionCountChanged(sessionCount());
    }
    updateIdleTimer();
}

void StandInServer::readFrom(QLocalSocket *socket)
{
    if (!m_peers.contains(socket))
        return;
    QByteArray buffer = std::exchange(m_peers[socket].buffer, {}) + socket->readAll();
    while (const auto line = takeLine(buffer)) {
        if (const auto request = decode(*line))
            send(socket, answer(socket, *request));
        if (!m_peers.contains(socket))
            return;
    }
    if (buffer.size() > maxLineBytes)
        socket->abort();
    else
        m_peers[socket].buffer = buffer;
}

void StandInServer::drop(QLocalSocket *socket)
{
    m_peers.remove(socket);
    socket->deleteLater();
    emit sessionCountChanged(sessionCount());
    updateIdleTimer();
}

// Flushed at once so that an event is on its way before the reply to the
// control request that raised it.
void StandInServer::send(QLocalSocket *socket, const QJsonObject &message)
{
    socket->write(encode(message));
    socket->flush();
}

QJsonObject StandInServer::answer(QLocalSocket *socket, const QJsonObject &request)
{
    const qint64 id = request.value(Key::id).toInteger();
    if (!request.contains(Key::control))
        return answerCall(id, request);
    Peer &peer = m_peers[socket];
    if (!peer.control) {
        peer.control = true;
        emit sessionCountChanged(sessionCount());
    }
    return answerControl(id, request);
}

QJsonObject StandInServer::answerCall(qint64 id, const QJsonObject &request)
{
    const auto line = callLineOf(request);
    if (!line)
        return errorReply(id, QStringLiteral("unknown member or bad argument"));
    m_calls << *line;
    emit callRecorded(*line);
    if (m_failing)
        return errorReply(id, QStringLiteral("the call failed (calls fail is on)"));
    if (request.value(Key::call).toString() == Member::callsign)
        return okReply(id, m_callsign);
    return okReply(id);
}

QJsonObject StandInServer::answerControl(qint64 id, const QJsonObject &request)
{
    const QString command = request.value(Key::control).toString();
    if (command == Control::emitEvent)
        return answerEmit(id, request);
    if (command == Control::set)
        return answerSet(id, request);
    if (command == Control::calls)
        return okReply(id, QJsonArray::fromStringList(m_calls));
    if (command == Control::quit) {
        QMetaObject::invokeMethod(this, &StandInServer::quitRequested, Qt::QueuedConnection);
        return okReply(id, QStringLiteral("stand-in stopped"));
    }
    return errorReply(id, QStringLiteral("unknown control command %1").arg(command));
}

QJsonObject StandInServer::answerEmit(qint64 id, const QJsonObject &request)
{
    const auto event = validEvent(request);
    if (!event)
        return errorReply(id, QStringLiteral("not a valid event"));
    const int count = raise(*event);
    if (count == 0)
        return errorReply(id, QStringLiteral("no Vorlane session is connected"));
    return okReply(id, QStringLiteral("%1 raised for %2 session(s)").arg(event->value(Key::event).toString()).arg(count));
}

QJsonObject StandInServer::answerSet(qint64 id, const QJsonObject &request)
{
    const QString name = request.value(Key::name).toString();
    const QJsonValue value = request.value(Key::value);
    if (name == Control::callsignSetting && value.isString()) {
        setCallsign(value.toString());
        return okReply(id, QStringLiteral("callsign %1").arg(m_callsign));
    }
    if (name == Control::failingSetting && value.isBool()) {
        setFailing(value.toBool());
        return okReply(id, QStringLiteral("failing %1").arg(onOff(m_failing)));
    }
    return errorReply(id, QStringLiteral("unknown setting or bad value"));
}

void StandInServer::updateIdleTimer()
{
    if (m_peers.isEmpty() && m_idleTimer.interval() > 0)
        m_idleTimer.start();
    else
        m_idleTimer.stop();
}
