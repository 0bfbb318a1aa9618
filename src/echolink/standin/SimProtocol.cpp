#include "SimProtocol.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace SimProtocol {

namespace {

QJsonObject withId(qint64 id, QJsonObject message)
{
    message.insert(Key::id, id);
    return message;
}

bool hasString(const QJsonObject &message, QLatin1StringView key)
{
    return message.value(key).isString();
}

QString flagText(bool flag)
{
    return flag ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

QString serverName(const QString &folder)
{
    QString path = QFileInfo(folder).canonicalFilePath();
    if (path.isEmpty())
        path = QDir(folder).absolutePath();
    QByteArray key = path.toUtf8();
#ifdef Q_OS_UNIX
    // Local sockets share one temporary folder; keep users apart.
    key += '\n' + QByteArray::number(::getuid());
#endif
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex();
    return QStringLiteral("vorlane-echolink-") + QString::fromLatin1(hash.left(16));
}

QString serverName()
{
    return serverName(QCoreApplication::applicationDirPath());
}

QByteArray encode(const QJsonObject &message)
{
    return QJsonDocument(message).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<QByteArray> takeLine(QByteArray &buffer)
{
    const qsizetype end = buffer.indexOf('\n');
    if (end < 0)
        return std::nullopt;
    QByteArray line = buffer.left(end);
    buffer.remove(0, end + 1);
    return line;
}

std::optional<QJsonObject> decode(const QByteArray &line)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

QJsonObject callRequest(qint64 id, QLatin1StringView member, const QJsonValue &arg)
{
    QJsonObject message{{Key::call, member}};
    if (!arg.isUndefined())
        message.insert(Key::arg, arg);
    return withId(id, message);
}

QJsonObject controlRequest(qint64 id, QLatin1StringView command, QJsonObject fields)
{
    fields.insert(Key::control, command);
    return withId(id, fields);
}

QJsonObject okReply(qint64 id, const QJsonValue &result)
{
    QJsonObject message{{Key::ok, true}};
    if (!result.isUndefined())
        message.insert(Key::result, result);
    return withId(id, message);
}

QJsonObject errorReply(qint64 id, const QString &error)
{
    return withId(id, {{Key::ok, false}, {Key::error, error}});
}

QJsonObject closingEvent()
{
    return {{Key::event, Event::closing}};
}

QJsonObject rxEvent(bool on)
{
    return {{Key::event, Event::rx}, {Key::value, on}};
}

QJsonObject txEvent(bool on)
{
    return {{Key::event, Event::tx}, {Key::value, on}};
}

QJsonObject connectedEvent(const QString &call, const QString &name, const QString &addr)
{
    return {{Key::event, Event::connected}, {Key::call, call}, {Key::name, name}, {Key::addr, addr}};
}

QJsonObject disConnectedEvent(const QString &call)
{
    return {{Key::event, Event::disConnected}, {Key::call, call}};
}

QJsonObject chatTextReceivedEvent(const QString &text)
{
    return {{Key::event, Event::chatTextReceived}, {Key::text, text}};
}

QJsonObject pingMessage(qint64 id)
{
    return {{Key::ping, id}};
}

QJsonObject pongMessage(qint64 id)
{
    return {{Key::pong, id}};
}

std::optional<QJsonObject> validEvent(const QJsonObject &message)
{
    const QString name = message.value(Key::event).toString();
    if (name == Event::closing)
        return closingEvent();
    if ((name == Event::rx || name == Event::tx) && message.value(Key::value).isBool()) {
        const bool on = message.value(Key::value).toBool();
        return name == Event::rx ? rxEvent(on) : txEvent(on);
    }
    if (name == Event::connected && hasString(message, Key::call) && hasString(message, Key::name)
        && hasString(message, Key::addr))
        return connectedEvent(message.value(Key::call).toString(), message.value(Key::name).toString(),
                              message.value(Key::addr).toString());
    if (name == Event::disConnected && hasString(message, Key::call))
        return disConnectedEvent(message.value(Key::call).toString());
    if (name == Event::chatTextReceived && hasString(message, Key::text))
        return chatTextReceivedEvent(message.value(Key::text).toString());
    return std::nullopt;
}

QString callLine(QLatin1StringView member)
{
    return QString(member);
}

QString callLine(QLatin1StringView member, const QString &text)
{
    return QString(member) + u' ' + text;
}

QString callLine(QLatin1StringView member, bool flag)
{
    return callLine(member, flagText(flag));
}

} // namespace SimProtocol
