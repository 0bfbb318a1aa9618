#include "InstanceGuard.h"

#include "Folders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

LockFileInstanceGuard::LockFileInstanceGuard(const QString &lockPath)
    : m_lockPath(lockPath), m_lock(std::make_unique<QLockFile>(lockPath))
{
    // A lock is stale only when its owner has died, never by its age: the
    // first instance holds it all day.
    m_lock->setStaleLockTime(0);
}

LockFileInstanceGuard::~LockFileInstanceGuard() = default;

// Only a lock that another process holds tells of another instance; a lock
// that cannot be made at all (a folder gone or not writable) tells nothing,
// and the program runs.
bool LockFileInstanceGuard::anotherInstanceRunning()
{
    if (m_lock->isLocked() || m_lock->tryLock(0))
        return false;
    if (m_lock->error() == QLockFile::LockFailedError)
        return true;
    std::fprintf(stderr, "vorlane: cannot make the instance lock %s; a second instance will not be noticed\n",
                 qPrintable(QDir::toNativeSeparators(m_lockPath)));
    return false;
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
    return QDir(Folders::tempFolder()).filePath(QStringLiteral("vorlane-%1.lock").arg(id));
}
