#include "StandInControl.h"

#include "echolink/standin/SimProtocol.h"
#include "echolink/standin/UnixSocket.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QLocalSocket>
#include <QTextStream>

using namespace SimProtocol;

namespace StandInControl {

namespace {

constexpr qint64 requestId = 1;
constexpr int connectTimeoutMs = 1000;
constexpr int replyTimeoutMs = 10000;

std::optional<bool> onOff(const QString &word)
{
    if (word == QLatin1String("on"))
        return true;
    if (word == QLatin1String("off"))
        return false;
    return std::nullopt;
}

std::optional<QJsonObject> parseEmit(const QStringList &args)
{
    const QString event = args.value(0);
    if ((event == QLatin1String("tx") || event == QLatin1String("rx")) && args.size() == 2) {
        const auto on = onOff(args[1]);
        if (!on)
            return std::nullopt;
        return event == QLatin1String("tx") ? txEvent(*on) : rxEvent(*on);
    }
    if (event == QLatin1String("connected") && args.size() == 4)
        return connectedEvent(args[1], args[2], args[3]);
    if (event == QLatin1String("disconnected") && args.size() == 2)
        return disConnectedEvent(args[1]);
    if (event == QLatin1String("chat") && args.size() >= 2)
        return chatTextReceivedEvent(args.mid(1).join(u' '));
    if (event == QLatin1String("closing") && args.size() == 1)
        return closingEvent();
    return std::nullopt;
}

std::optional<QJsonObject> parseSet(const QStringList &args)
{
    if (args.size() != 2)
        return std::nullopt;
    if (args[0] == Control::callsignSetting)
        return QJsonObject{{Key::name, Control::callsignSetting}, {Key::value, args[1]}};
    const auto on = onOff(args[1]);
    if (args[0] == Control::failingSetting && on)
        return QJsonObject{{Key::name, Control::failingSetting}, {Key::value, *on}};
    return std::nullopt;
}

std::optional<QJsonObject> readReply(QLocalSocket &socket)
{
    const QDeadlineTimer deadline(replyTimeoutMs);
    QByteArray buffer;
    while (!deadline.hasExpired()) {
        buffer += socket.readAll();
        while (const auto line = takeLine(buffer)) {
            const auto message = decode(*line);
            if (message && message->value(Key::id).toInteger() == requestId && message->contains(Key::ok))
                return message;
        }
        if (socket.state() != QLocalSocket::ConnectedState)
            return std::nullopt;
        if (socket.bytesToWrite() > 0)
            socket.waitForBytesWritten(int(deadline.remainingTime()));
        else
            socket.waitForReadyRead(int(deadline.remainingTime()));
    }
    return std::nullopt;
}

void print(const QJsonValue &result, QTextStream &out)
{
    if (result.isArray()) {
        for (const QJsonValue &entry : result.toArray())
            out << entry.toString() << '\n';
    } else if (!result.isUndefined()) {
        out << result.toString() << '\n';
    }
}

} // namespace

bool isCommand(const QString &word)
{
    return word == Control::emitEvent || word == Control::set || word == Control::calls || word == Control::quit;
}

std::optional<QJsonObject> parse(const QStringList &arguments)
{
    const QString command = arguments.value(0);
    const QStringList rest = arguments.mid(1);
    const auto request = [](QLatin1StringView name, const std::optional<QJsonObject> &fields) {
        return fields ? std::optional(controlRequest(requestId, name, *fields)) : std::nullopt;
    };
    if (command == Control::emitEvent)
        return request(Control::emitEvent, parseEmit(rest));
    if (command == Control::set)
        return request(Control::set, parseSet(rest));
    if (command == Control::calls && rest.isEmpty())
        return controlRequest(requestId, Control::calls);
    if (command == Control::quit && rest.isEmpty())
        return controlRequest(requestId, Control::quit);
    return std::nullopt;
}

int run(const QString &serverName, const QJsonObject &request, QTextStream &out, QTextStream &err)
{
    const QString path = UnixSocket::serverPath(serverName);
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(connectTimeoutMs)) {
        const QString problem = UnixSocket::pathProblem(path);
        if (problem.isEmpty())
            err << "echolink-sim: no stand-in is running for this folder (" << path << ")\n";
        else
            err << "echolink-sim: cannot reach a stand-in at " << path << ": " << problem << '\n';
        return 1;
    }
    socket.write(encode(request));
    const auto reply = readReply(socket);
    if (!reply) {
        err << "echolink-sim: the stand-in did not answer\n";
        return 1;
    }
    if (!reply->value(Key::ok).toBool()) {
        err << "echolink-sim: " << reply->value(Key::error).toString() << '\n';
        return 1;
    }
    print(reply->value(Key::result), out);
    return 0;
}

} // namespace StandInControl
