#include "Folders.h"
#include "ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

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

// A portable copy keeps its files beside itself. Even where it may write
// there (as an administrator or root, say), an installed copy keeps them
// in the user's own folder, out of the shared program folder.
QString programFolder()
{
    const QString exe = executableFolder();
    if (!isInstalledCopy(exe) && canCreateFilesIn(exe))
        return exe;
    const QString data = perUserFolder();
    QDir().mkpath(data);
    return withSeparator(data);
}

QString perUserFolder()
{
#ifdef Q_OS_WIN
    const QString local = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir::toNativeSeparators(local + QStringLiteral("/Vorlane"));
#else
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
#endif
}

// Read-only attributes and permission bits do not tell the whole story
// (Windows' access lists, a read-only mount): a file made and removed does.
bool canCreateFilesIn(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("vorlane-write-probe-XXXXXX")));
    return probe.open();
}

bool isInstalledCopy(const QString &exeFolder)
{
#ifdef Q_OS_WIN
    return QDir(exeFolder) == QDir(defaultInstallFolder());
#else
    return QFileInfo::exists(QDir(exeFolder).filePath(QStringLiteral("../share/applications/vorlane.desktop")));
#endif
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
