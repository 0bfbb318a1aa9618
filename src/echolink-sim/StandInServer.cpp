#include "StandInServer.h"

#include "StandInBurst.h"
#include "echolink/standin/SimProtocol.h"
#include "echolink/standin/UnixSocket.h"

#include <QFile>
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

struct BurstPlan
{
    qsizetype count = 0;
    StandInBurst::EventAt eventAt;
};

// One chat line a line of the file (UTF-8, a CR before the newline dropped),
// taken over from the top until count events are made (default: each once).
std::optional<BurstPlan> chatBurst(const QJsonObject &request, QString &error)
{
    const QString path = request.value(Key::chat).toString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    if (lines.isEmpty()) {
        error = QStringLiteral("%1 holds no chat line").arg(path);
        return std::nullopt;
    }
    const qint64 count = request.value(Key::count).toInteger(lines.size());
    if (count <= 0) {
        error = QStringLiteral("a burst needs a count above 0");
        return std::nullopt;
    }
    return BurstPlan{count, [lines](qsizetype i) { return chatTextReceivedEvent(lines[i % lines.size()]); }};
}

// Transmissions and receptions in turn, each on then off.
std::optional<BurstPlan> toggleBurst(const QJsonObject &request, QString &error)
{
    const qint64 pairs = request.value(Key::toggles).toInteger();
    if (pairs <= 0) {
        error = QStringLiteral("a burst needs a count above 0");
        return std::nullopt;
    }
    return BurstPlan{2 * pairs, [](qsizetype i) {
                         const bool on = i % 2 == 0;
                         return (i / 2) % 2 == 0 ? txEvent(on) : rxEvent(on);
                     }};
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
        const auto message = decode(*line);
        if (message && message->contains(Key::pong)) {
            for (StandInBurst *burst : m_bursts.values())
                burst->pong(socket, message->value(Key::pong).toInteger());
        } else if (message) {
            if (const auto reply = answer(socket, *message))
                send(socket, *reply);
        }
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
    if (StandInBurst *own = m_bursts.take(socket))
        own->deleteLater();
    for (StandInBurst *burst : m_bursts.values())
        burst->drop(socket);
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

std::optional<QJsonObject> StandInServer::answer(QLocalSocket *socket, const QJsonObject &request)
{
    const qint64 id = request.value(Key::id).toInteger();
    if (!request.contains(Key::control))
        return answerCall(id, request);
    Peer &peer = m_peers[socket];
    if (!peer.control) {
        peer.control = true;
        for (StandInBurst *burst : m_bursts.values())
            burst->forget(socket);
        emit sessionCountChanged(sessionCount());
    }
    return answerControl(socket, id, request);
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

std::optional<QJsonObject> StandInServer::answerControl(QLocalSocket *socket, qint64 id, const QJsonObject &request)
{
    const QString command = request.value(Key::control).toString();
    if (command == Control::emitEvent)
        return answerEmit(id, request);
    if (command == Control::burst)
        return startBurst(socket, id, request);
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

std::optional<QJsonObject> StandInServer::startBurst(QLocalSocket *socket, qint64 id, const QJsonObject &request)
{
    if (m_bursts.contains(socket))
        return errorReply(id, QStringLiteral("a burst is already running on this connection"));
    QString error;
    const auto plan = request.contains(Key::chat) ? chatBurst(request, error) : toggleBurst(request, error);
    if (!plan)
        return errorReply(id, error);
    QList<QLocalSocket *> sessions;
    for (auto it = m_peers.cbegin(); it != m_peers.cend(); ++it) {
        if (!it->control)
            sessions << it.key();
    }
    if (sessions.isEmpty())
        return errorReply(id, QStringLiteral("no Vorlane session is connected"));
    auto *burst = new StandInBurst(plan->count, plan->eventAt, request.value(Key::rate).toDouble(), this);
    m_bursts.insert(socket, burst);
    connect(burst, &StandInBurst::finished, this,
            [this, socket, id](const QString &summary) { endBurst(socket, okReply(id, summary)); });
    connect(burst, &StandInBurst::failed, this,
            [this, socket, id](const QString &reason) { endBurst(socket, errorReply(id, reason)); });
    burst->start(sessions);
    return std::nullopt;
}

// The burst may be the sender of the signal that ends it; one whose
// requester has gone answers nobody.
void StandInServer::endBurst(QLocalSocket *socket, const QJsonObject &reply)
{
    StandInBurst *burst = m_bursts.take(socket);
    if (!burst)
        return;
    burst->deleteLater();
    send(socket, reply);
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
