#include "StandInControl.h"

#include "echolink/standin/SimProtocol.h"
#include "echolink/standin/UnixSocket.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QHash>
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

// Options after the burst's kind: "--name value" pairs, each name once.
std::optional<QHash<QString, QString>> burstOptions(const QStringList &args, const QStringList &names)
{
    QHash<QString, QString> options;
    for (qsizetype i = 0; i < args.size(); i += 2) {
        const QString name = args[i].mid(2);
        if (!args[i].startsWith(QLatin1String("--")) || !names.contains(name) || options.contains(name)
            || i + 1 == args.size())
            return std::nullopt;
        options.insert(name, args[i + 1]);
    }
    return options;
}

std::optional<qint64> positive(const QString &text)
{
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    return ok && n > 0 ? std::optional(n) : std::nullopt;
}

// Adds "rate" when the options name one; false when it is no number above 0.
bool addRate(const QHash<QString, QString> &options, QJsonObject &fields)
{
    if (!options.contains(QStringLiteral("rate")))
        return true;
    bool ok = false;
    const double rate = options.value(QStringLiteral("rate")).toDouble(&ok);
    if (!ok || !(rate > 0))
        return false;
    fields.insert(Key::rate, rate);
    return true;
}

// burst chat --from FILE [--count N] [--rate R]
std::optional<QJsonObject> parseChatBurst(const QStringList &args)
{
    const auto options = burstOptions(args, {QStringLiteral("from"), QStringLiteral("count"), QStringLiteral("rate")});
    if (!options || !options->contains(QStringLiteral("from")))
        return std::nullopt;
    // The stand-in runs in another working folder.
    QJsonObject fields{{Key::chat, QFileInfo(options->value(QStringLiteral("from"))).absoluteFilePath()}};
    if (options->contains(QStringLiteral("count"))) {
        const auto count = positive(options->value(QStringLiteral("count")));
        if (!count)
            return std::nullopt;
        fields.insert(Key::count, *count);
    }
    return addRate(*options, fields) ? std::optional(fields) : std::nullopt;
}

// burst toggles N [--rate R]
std::optional<QJsonObject> parseToggleBurst(const QStringList &args)
{
    const auto pairs = positive(args.value(0));
    const auto options = burstOptions(args.mid(1), {QStringLiteral("rate")});
    if (!pairs || !options)
        return std::nullopt;
    QJsonObject fields{{Key::toggles, *pairs}};
    return addRate(*options, fields) ? std::optional(fields) : std::nullopt;
}

std::optional<QJsonObject> parseBurst(const QStringList &args)
{
    if (args.value(0) == QLatin1String("chat"))
        return parseChatBurst(args.mid(1));
    if (args.value(0) == QLatin1String("toggles"))
        return parseToggleBurst(args.mid(1));
    return std::nullopt;
}

std::optional<QJsonObject> readReply(QLocalSocket &socket, QDeadlineTimer deadline)
{
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
    return word == Control::emitEvent || word == Control::set || word == Control::calls || word == Control::quit
        || word == Control::burst;
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
    if (command == Control::burst)
        return request(Control::burst, parseBurst(rest));
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
    // A burst takes as long as it takes; the stand-in ends it when Vorlane
    // stops answering.
    const bool burst = request.value(Key::control).toString() == Control::burst;
    const auto reply = readReply(socket, burst ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(replyTimeoutMs));
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
