#include "InstanceGuard.h"

#include "Folders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

LockFileInstanceGuard::LockFileInstanceGuard(const QString &lockPath)
    : m_lock(std::make_unique<QLockFile>(lockPath))
{
    // A lock is stale only when its owner has died, never by its age: the
    // first instance holds it all day.
    m_lock->setStaleLockTime(0);
}

LockFileInstanceGuard::~LockFileInstanceGuard() = default;

bool LockFileInstanceGuard::anotherInstanceRunning()
{
    if (m_lock->isLocked())
        return false;
    return !m_lock->tryLock(0);
}

QString LockFileInstanceGuard::defaultLockPath()
{
    // One lock per user and program folder: other users of an installed copy
    // run their own instances.
    QByteArray folder = Folders::executableFolder().toUtf8();
#ifdef Q_OS_UNIX
    folder += '/' + QByteArray::number(uint(getuid()));
#endif
    const QString id = QString::fromLatin1(
        QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(12));
    return QDir::temp().filePath(QStringLiteral("vorlane-%1.lock").arg(id));
}
