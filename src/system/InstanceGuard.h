#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Tells whether an earlier instance of this program (the same executable
// folder) is already running. The first instance holds a lock file for its
// whole run; a lock left behind by a crashed instance is taken over.
class InstanceGuard
{
public:
    virtual ~InstanceGuard() = default;
    virtual bool anotherInstanceRunning() = 0;
};

class LockFileInstanceGuard : public InstanceGuard
{
public:
    explicit LockFileInstanceGuard(const QString &lockPath = defaultLockPath());
    ~LockFileInstanceGuard() override;
    bool anotherInstanceRunning() override;

    static QString defaultLockPath();

private:
    QString m_lockPath;
    std::unique_ptr<QLockFile> m_lock;
};
