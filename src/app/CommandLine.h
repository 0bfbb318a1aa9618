#pragma once

#include <QStringList>

#include <optional>

// The command line, read before Qt starts: --help and --version answer
// without a display and without touching any file, and a mistyped option is
// refused before a window could open. Qt's own options (-platform, -style,
// -session …) are left in place for Qt to take.
namespace CommandLine {

enum class Request { Run, Help, Version, BadArguments };

// The program's arguments, without its name.
QStringList arguments(int argc, char *argv[]);

// arguments less Qt's own options and their values; nothing when one of
// those options lacks its value.
std::optional<QStringList> withoutQtOptions(const QStringList &arguments);

// What vorlane's arguments ask for. It has no arguments of its own but
// --help (-h) and --version; anything else not Qt's is refused, and a
// refusal wins over a request.
Request read(const QStringList &arguments);

// vorlane's usage text and version line, each ending in a newline.
QString usage();
QString versionLine();

// Answers --help and --version on stdout (exit code 0) and bad arguments
// with the usage on stderr (exit code 2); nothing when vorlane is to run.
std::optional<int> answer(int argc, char *argv[]);

// Makes stdout and stderr reach the user. A Windows GUI program has no
// console: it writes where its output was redirected, else to the console
// of the program that started it, if any. Elsewhere it does nothing.
void attachToConsole();

} // namespace CommandLine
