#include "CommandLine.h"

#include "compat/AppInfo.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace CommandLine {

namespace {

constexpr int exitBadArguments = 2;

// Qt's documented options: those followed by a value, those that stand
// alone, and those that may carry their value after "=".
const char *const qtOptionsWithValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                          "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
                                          "display", "geometry", "style", "stylesheet"};
const char *const qtFlags[] = {"reverse", "widgetcount"};
const char *const qtOptionsWithJoinedValue[] = {"qmljsdebugger", "style", "stylesheet"};

template <std::size_t N>
bool isOneOf(const QString &name, const char *const (&names)[N])
{
    return std::any_of(std::begin(names), std::end(names),
                       [&](const char *candidate) { return name == QLatin1String(candidate); });
}

// The name of an option written with one dash or two, as Qt takes either;
// empty for anything else.
QString optionName(const QString &argument)
{
    if (argument.startsWith(QLatin1String("--")))
        return argument.mid(2);
    if (argument.startsWith(QLatin1Char('-')))
        return argument.mid(1);
    return {};
}

bool isQtOptionWithJoinedValue(const QString &name)
{
    const qsizetype equals = name.indexOf(QLatin1Char('='));
    return equals > 0 && isOneOf(name.left(equals), qtOptionsWithJoinedValue);
}

void write(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

#ifdef Q_OS_WIN
// The C runtime already writes to a stream the starting program redirected.
bool isRedirected(DWORD stream)
{
    const HANDLE handle = GetStdHandle(stream);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}
#endif

} // namespace

QStringList arguments(int argc, char *argv[])
{
    QStringList list;
    for (int i = 1; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

std::optional<QStringList> withoutQtOptions(const QStringList &arguments)
{
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString name = optionName(arguments[i]);
        if (isOneOf(name, qtFlags) || isQtOptionWithJoinedValue(name))
            continue;
        if (isOneOf(name, qtOptionsWithValue)) {
            if (++i == arguments.size())
                return std::nullopt;
            continue;
        }
        rest << arguments[i];
    }
    return rest;
}

Request read(const QStringList &arguments)
{
    const auto own = withoutQtOptions(arguments);
    if (!own)
        return Request::BadArguments;
    Request request = Request::Run;
    for (const QString &argument : *own) {
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            request = Request::Help;
        else if (argument == QLatin1String("--version"))
            request = request == Request::Help ? Request::Help : Request::Version;
        else
            return Request::BadArguments;
    }
    return request;
}

QString usage()
{
    return QStringLiteral(
        "Usage: vorlane [--help | --version]\n"
        "\n"
        "Counts down the transmit time-out of a repeater or link beside EchoLink,\n"
        "with a chat panel, daily chat logs and a Busy switch.\n"
        "\n"
        "  -h, --help     print this help and exit\n"
        "      --version  print the version and exit\n"
        "\n"
        "Qt's own options, such as -platform NAME or -style NAME, are passed to Qt.\n");
}

QString versionLine()
{
    return QStringLiteral("vorlane ") + AppInfo::versionText() + QLatin1Char('\n');
}

std::optional<int> answer(int argc, char *argv[])
{
    const Request request = read(arguments(argc, argv));
    if (request == Request::Run)
        return std::nullopt;
    attachToConsole();
    if (request == Request::BadArguments) {
        write(stderr, usage());
        return exitBadArguments;
    }
    write(stdout, request == Request::Help ? usage() : versionLine());
    return 0;
}

void attachToConsole()
{
#ifdef Q_OS_WIN
    const bool outRedirected = isRedirected(STD_OUTPUT_HANDLE);
    const bool errRedirected = isRedirected(STD_ERROR_HANDLE);
    // Started from Explorer there is no console to attach to: the answer is
    // lost, and the exit code still tells.
    if ((outRedirected && errRedirected) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (!outRedirected)
        std::freopen("CONOUT$", "w", stdout);
    if (!errRedirected)
        std::freopen("CONOUT$", "w", stderr);
#endif
}

} // namespace CommandLine
