#include "EchoLinkConnector.h"

#ifdef Q_OS_WIN

#include "echolink/windows/WinEchoLinkSession.h"

std::unique_ptr<EchoLinkSession> createEchoLinkSession()
{
    return WinEchoLinkSession::create();
}

#else

#include "echolink/standin/LocalEchoLinkSession.h"
#include "echolink/standin/SimProtocol.h"
#include "echolink/standin/UnixSocket.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QTextStream>
#include <QThread>

namespace {

constexpr int connectTimeoutMs = 500;
constexpr int startTimeoutMs = 5000;
constexpr int retryPauseMs = 50;
// A headless stand-in is usually one a test run started; it goes away by
// itself when nobody has used it for this long.
constexpr int headlessIdleExitSeconds = 600;

QString standInProgram()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("echolink-sim"));
}

// The window only says "Launch EchoLink Faild!!"; stderr says why.
void reportFailure(const QString &why)
{
    QTextStream(stderr) << "vorlane: " << why << '\n';
}

bool hasDisplay()
{
    const QString platform = QGuiApplication::platformName();
    return !platform.isEmpty() && platform != QLatin1String("offscreen")
           && platform != QLatin1String("minimal");
}

// Detached, and with its standard streams closed so that it holds no pipe
// of whoever started Vorlane.
bool startStandIn(QString &errorText)
{
    QStringList arguments;
    if (!hasDisplay())
        arguments << QStringLiteral("--headless") << QStringLiteral("--idle-exit")
                  << QString::number(headlessIdleExitSeconds);
    QProcess process;
    process.setProgram(standInProgram());
    process.setArguments(arguments);
    process.setWorkingDirectory(QCoreApplication::applicationDirPath());
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    if (process.startDetached())
        return true;
    errorText = process.errorString();
    return false;
}

} // namespace

std::unique_ptr<EchoLinkSession> createEchoLinkSession()
{
    const QString name = SimProtocol::serverName();
    if (auto session = LocalEchoLinkSession::connectTo(name, connectTimeoutMs))
        return session;
    // A stand-in started into a path it cannot serve would only fail too.
    const QString path = UnixSocket::serverPath(name);
    const QString problem = UnixSocket::pathProblem(path);
    if (!problem.isEmpty()) {
        reportFailure(QStringLiteral("cannot reach EchoLink's stand-in at %1: %2").arg(path, problem));
        return nullptr;
    }
    QString errorText;
    if (!startStandIn(errorText)) {
        reportFailure(QStringLiteral("cannot start EchoLink's stand-in %1: %2").arg(standInProgram(), errorText));
        return nullptr;
    }
    const QDeadlineTimer deadline(startTimeoutMs);
    while (!deadline.hasExpired()) {
        if (auto session = LocalEchoLinkSession::connectTo(name, connectTimeoutMs))
            return session;
        QThread::msleep(retryPauseMs);
    }
    reportFailure(QStringLiteral("EchoLink's stand-in %1 started but did not answer at %2 within %3 s")
                      .arg(standInProgram(), path)
                      .arg(startTimeoutMs / 1000));
    return nullptr;
}

#endif
