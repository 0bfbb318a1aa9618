#include "Folders.h"
#include "ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Folders {

QString separator()
{
#ifdef Q_OS_WIN
    return QStringLiteral("\\");
#else
    return QStringLiteral("/");
#endif
}

// Windows takes "/" as a separator too; a folder ending in one gets no second.
QString withSeparator(const QString &folder)
{
#ifdef Q_OS_WIN
    if (folder.endsWith(QLatin1Char('/')))
        return folder;
#endif
    return folder.endsWith(separator()) ? folder : folder + separator();
}

QString executableFolder()
{
    return withSeparator(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}

QString programFolder()
{
#ifdef Q_OS_WIN
    return executableFolder();
#else
    // Even where it may write there (as root, say), an installed copy keeps
    // its files out of the shared bin folder.
    const QString exe = executableFolder();
    if (!isInstalledCopy(exe) && QFileInfo(exe).isWritable())
        return exe;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(data);
    return withSeparator(data);
#endif
}

bool isInstalledCopy(const QString &exeFolder)
{
    return QFileInfo::exists(QDir(exeFolder).filePath(QStringLiteral("../share/applications/vorlane.desktop")));
}

QString defaultInstallFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\Program Files\\Vorlane\\");
#else
    return QStringLiteral("/opt/vorlane/");
#endif
}

QString defaultEchoLinkFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\Program Files\\Q7MXZ\\EchoLink\\");
#else
    return executableFolder();
#endif
}

QString tempFolder()
{
    const QString temp = QDir::tempPath();
    if (!temp.isEmpty())
        return temp;
    QString folder = qEnvironmentVariable("TMPDIR");
    if (folder.isEmpty())
        folder = QStringLiteral("/tmp");
    return QDir::cleanPath(QDir(folder).absolutePath());
}

} // namespace Folders

ProgramFolders ProgramFolders::system()
{
    return {Folders::programFolder(), Folders::defaultInstallFolder(), Folders::defaultEchoLinkFolder()};
}
