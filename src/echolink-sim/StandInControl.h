#pragma once

#include <QJsonObject>
#include <QStringList>

#include <optional>

class QTextStream;

// The command-line control mode: one request to the running stand-in, its
// reply printed.
namespace StandInControl {

// True when word starts a control command ("emit", "set", "calls", "quit",
// "burst").
bool isCommand(const QString &word);

// The control request the arguments spell; nothing when they spell none.
std::optional<QJsonObject> parse(const QStringList &arguments);

// Sends request to the stand-in serving serverName. Prints the reply's
// result to out (a list one entry a line) or the reason of a failure to
// err. Returns 0 on success, 1 when there is no stand-in or it refused.
int run(const QString &serverName, const QJsonObject &request, QTextStream &out, QTextStream &err);

} // namespace StandInControl
