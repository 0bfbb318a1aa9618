#include "FileSystem.h"

#include "compat/RunTimeError.h"

#include <QDir>
#include <QFileInfo>

namespace FileSystem {

bool folderExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

void createFolder(const QString &path)
{
    QDir parent = QFileInfo(QDir::cleanPath(path)).dir();
    if (!parent.exists() || !parent.mkdir(QFileInfo(QDir::cleanPath(path)).fileName()))
        throw FileError("cannot create folder " + path.toStdString());
}

bool fileExists(const QString &path)
{
    return QFileInfo(path).isFile();
}

} // namespace FileSystem
