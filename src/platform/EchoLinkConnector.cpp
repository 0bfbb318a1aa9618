#include "EchoLinkConnector.h"

#ifdef Q_OS_WIN

#include "win/WinEchoLinkSession.h"

std::unique_ptr<EchoLinkSession> createEchoLinkSession()
{
    return WinEchoLinkSession::create();
}

#else

#include "LocalEchoLinkSession.h"
#include "SimProtocol.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QThread>

namespace {

constexpr int connectTimeoutMs = 500;
constexpr int startTimeoutMs = 5000;
constexpr int retryPauseMs = 50;
// A headless stand-in is usually one a test run started; it goes away by
// itself when nobody has used it for this long.
constexpr int headlessIdleExitSeconds = 600;

bool hasDisplay()
{
    const QString platform = QGuiApplication::platformName();
    return !platform.isEmpty() && platform != QLatin1String("offscreen")
           && platform != QLatin1String("minimal");
}

// Detached, and with its standard streams closed so that it holds no pipe
// of whoever started Vorlane.
bool startStandIn()
{
    const QString folder = QCoreApplication::applicationDirPath();
    QStringList arguments;
    if (!hasDisplay())
        arguments << QStringLiteral("--headless") << QStringLiteral("--idle-exit")
                  << QString::number(headlessIdleExitSeconds);
    QProcess process;
    process.setProgram(QDir(folder).filePath(QStringLiteral("echolink-sim")));
    process.setArguments(arguments);
    process.setWorkingDirectory(folder);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

} // namespace

std::unique_ptr<EchoLinkSession> createEchoLinkSession()
{
    const QString name = SimProtocol::serverName();
    if (auto session = LocalEchoLinkSession::connectTo(name, connectTimeoutMs))
        return session;
    if (!startStandIn())
        return nullptr;
    const QDeadlineTimer deadline(startTimeoutMs);
    while (!deadline.hasExpired()) {
        if (auto session = LocalEchoLinkSession::connectTo(name, connectTimeoutMs))
            return session;
        QThread::msleep(retryPauseMs);
    }
    return nullptr;
}

#endif
