// echolink-sim: a stand-in for EchoLink's automation object on systems
// without EchoLink, serving Vorlane over a local socket; with arguments it
// controls the stand-in that is already running.

#include "StandInControl.h"
#include "StandInServer.h"
#include "StandInWindow.h"
#include "app/CommandLine.h"
#include "compat/AppInfo.h"
#include "echolink/standin/SimProtocol.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <optional>

namespace {

const char usage[] =
    "Usage:\n"
    "  echolink-sim [--headless] [--idle-exit SECONDS]   serve (with a window unless --headless)\n"
    "  echolink-sim emit tx on|off\n"
    "  echolink-sim emit rx on|off\n"
    "  echolink-sim emit connected CALL NAME ADDR\n"
    "  echolink-sim emit disconnected CALL\n"
    "  echolink-sim emit chat TEXT...\n"
    "  echolink-sim emit closing\n"
    "  echolink-sim set callsign CALL\n"
    "  echolink-sim set failing on|off\n"
    "  echolink-sim calls                                 every member call so far, one a line\n"
    "  echolink-sim burst chat --from FILE [--count N] [--rate R]\n"
    "  echolink-sim burst toggles N [--rate R]\n"
    "                        raise chat lines (one a line of FILE) or N TX/RX on/off pairs as fast as\n"
    "                        Vorlane handles them, or R a second; prints the round trip per event\n"
    "  echolink-sim quit                                  stop the running stand-in\n"
    "  echolink-sim --help | --version\n";

constexpr int exitBadArguments = 2;

struct ServeOptions
{
    bool headless = false;
    int idleExitSeconds = 0;
};

std::optional<ServeOptions> parseServeOptions(const QStringList &args)
{
    ServeOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--headless")) {
            options.headless = true;
        } else if (args[i] == QLatin1String("--idle-exit") && i + 1 < args.size()) {
            bool ok = false;
            options.idleExitSeconds = args[++i].toInt(&ok);
            if (!ok || options.idleExitSeconds < 0)
                return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

int badArguments()
{
    std::fputs(usage, stderr);
    return exitBadArguments;
}

int serve(QCoreApplication &app, const ServeOptions &options)
{
    StandInServer server;
    QString errorText;
    if (!server.listen(SimProtocol::serverName(), errorText)) {
        QTextStream(stderr) << "echolink-sim: " << errorText << '\n';
        return 1;
    }
    server.setIdleExit(options.idleExitSeconds);
    QObject::connect(&server, &StandInServer::quitRequested, &app, &QCoreApplication::quit);
    std::optional<StandInWindow> window;
    if (!options.headless) {
        window.emplace(server);
        window->show();
    }
    return app.exec();
}

int control(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const auto request = StandInControl::parse(app.arguments().mid(1));
    if (!request)
        return badArguments();
    QTextStream out(stdout);
    QTextStream err(stderr);
    return StandInControl::run(SimProtocol::serverName(), *request, out, err);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && StandInControl::isCommand(QString::fromLocal8Bit(argv[1])))
        return control(argc, argv);
    const QStringList arguments = CommandLine::arguments(argc, argv);
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"))) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (arguments.contains(QLatin1String("--version"))) {
        std::printf("echolink-sim %s\n", qPrintable(AppInfo::versionText()));
        return 0;
    }
    // Read before Qt starts, so that a mistyped option needs no display;
    // Qt's own options stay for Qt.
    const auto ownArguments = CommandLine::withoutQtOptions(arguments);
    const auto options = ownArguments ? parseServeOptions(*ownArguments) : std::nullopt;
    if (!options)
        return badArguments();
    // A window needs a display, so only the headless stand-in gets by with
    // a core application.
    std::optional<QCoreApplication> core;
    std::optional<QApplication> gui;
    if (options->headless)
        core.emplace(argc, argv);
    else
        gui.emplace(argc, argv);
    return serve(core ? *core : *gui, *options);
}
