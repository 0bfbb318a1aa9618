#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

// The line protocol between Vorlane and its EchoLink stand-in echolink-sim:
// JSON Lines over a local socket, one compact UTF-8 object per line.
//
//   member call (Vorlane)    {"id":N,"call":"SendChatText","arg":"hello"}
//   control (command line)   {"id":N,"control":"set","name":"failing","value":true}
//   reply (stand-in)         {"id":N,"ok":true,"result":...}
//                            {"id":N,"ok":false,"error":"..."}
//   event (stand-in)         {"event":"TX","value":true}
//   ping (stand-in)          {"ping":N}
//   pong (Vorlane)           {"pong":N}
//
// Every request carries an id that its reply repeats; a session numbers its
// member calls 1, 2, 3, ... Events carry no id.
// A session answers a ping once the events before it have been handled and
// the repaints they asked for are done, so the stand-in can pace a burst of
// events and time how long Vorlane takes over each.
// Text travels as JSON strings, so any chat text (NUL included) is escaped
// rather than breaking the framing.
namespace SimProtocol {

namespace Key {
inline constexpr QLatin1StringView id{"id"};
inline constexpr QLatin1StringView call{"call"};
inline constexpr QLatin1StringView arg{"arg"};
inline constexpr QLatin1StringView ok{"ok"};
inline constexpr QLatin1StringView result{"result"};
inline constexpr QLatin1StringView error{"error"};
inline constexpr QLatin1StringView event{"event"};
inline constexpr QLatin1StringView value{"value"};
inline constexpr QLatin1StringView name{"name"};
inline constexpr QLatin1StringView addr{"addr"};
inline constexpr QLatin1StringView text{"text"};
inline constexpr QLatin1StringView control{"control"};
inline constexpr QLatin1StringView chat{"chat"};
inline constexpr QLatin1StringView toggles{"toggles"};
inline constexpr QLatin1StringView count{"count"};
inline constexpr QLatin1StringView rate{"rate"};
inline constexpr QLatin1StringView ping{"ping"};
inline constexpr QLatin1StringView pong{"pong"};
} // namespace Key

// Members Vorlane calls ("call").
namespace Member {
inline constexpr QLatin1StringView callsign{"Callsign"};
inline constexpr QLatin1StringView sendChatText{"SendChatText"};
inline constexpr QLatin1StringView busyFlagA{"BusyFlagA"};
inline constexpr QLatin1StringView busyFlagB{"BusyFlagB"};
} // namespace Member

// Events the stand-in raises ("event").
namespace Event {
inline constexpr QLatin1StringView closing{"Closing"};
inline constexpr QLatin1StringView rx{"RX"};
inline constexpr QLatin1StringView tx{"TX"};
inline constexpr QLatin1StringView connected{"Connected"};
inline constexpr QLatin1StringView disConnected{"DisConnected"};
inline constexpr QLatin1StringView chatTextReceived{"ChatTextReceived"};
} // namespace Event

// Commands of the command-line control mode ("control").
namespace Control {
inline constexpr QLatin1StringView emitEvent{"emit"};     // plus the event's own keys
inline constexpr QLatin1StringView set{"set"};            // "name": "callsign"|"failing", "value"
inline constexpr QLatin1StringView calls{"calls"};        // result: array of call lines
inline constexpr QLatin1StringView quit{"quit"};          // the stand-in exits after replying
// "chat": a file of chat lines, "count"; or "toggles": on/off pairs; "rate"
inline constexpr QLatin1StringView burst{"burst"};
inline constexpr QLatin1StringView callsignSetting{"callsign"};
inline constexpr QLatin1StringView failingSetting{"failing"};
} // namespace Control

// A line longer than this is a broken peer, not a message.
inline constexpr qsizetype maxLineBytes = 32 * 1024 * 1024;

// The local server name of the stand-in that serves executables in folder:
// "vorlane-echolink-" + a short hash of the canonical folder (and the user),
// so each copy of the program gets its own stand-in.
QString serverName(const QString &folder);
// The name for the running executable's folder.
QString serverName();

// One message as a line, newline included.
QByteArray encode(const QJsonObject &message);
// Removes the first complete line (without its newline) from buffer.
std::optional<QByteArray> takeLine(QByteArray &buffer);
// The object on a line; nothing for anything that is not a JSON object.
std::optional<QJsonObject> decode(const QByteArray &line);

QJsonObject callRequest(qint64 id, QLatin1StringView member, const QJsonValue &arg = QJsonValue::Undefined);
QJsonObject controlRequest(qint64 id, QLatin1StringView command, QJsonObject fields = {});
QJsonObject okReply(qint64 id, const QJsonValue &result = QJsonValue::Undefined);
QJsonObject errorReply(qint64 id, const QString &error);

QJsonObject closingEvent();
QJsonObject rxEvent(bool on);
QJsonObject txEvent(bool on);
QJsonObject connectedEvent(const QString &call, const QString &name, const QString &addr);
QJsonObject disConnectedEvent(const QString &call);
QJsonObject chatTextReceivedEvent(const QString &text);

QJsonObject pingMessage(qint64 id);
QJsonObject pongMessage(qint64 id);

// The event in message with exactly the keys it needs; nothing when the
// name is unknown or a parameter is missing or of the wrong type.
std::optional<QJsonObject> validEvent(const QJsonObject &message);

// The recorded form of a member call: "Callsign", "SendChatText hello",
// "BusyFlagA 1", "BusyFlagB 0".
QString callLine(QLatin1StringView member);
QString callLine(QLatin1StringView member, const QString &text);
QString callLine(QLatin1StringView member, bool flag);

} // namespace SimProtocol
