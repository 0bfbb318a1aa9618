#include "system/InstanceGuard.h"

#include <QTemporaryDir>
#include <QtTest>

class TestInstanceGuard : public QObject
{
    Q_OBJECT

private slots:
    // The first holder runs on; a second one is told; a lock that cannot be
    // made lets the program run.
    void oneInstancePerLock()
    {
        QTemporaryDir dir;
        LockFileInstanceGuard first(dir.filePath("vorlane.lock"));
        LockFileInstanceGuard second(dir.filePath("vorlane.lock"));
        LockFileInstanceGuard unmakeable(dir.filePath("gone/vorlane.lock"));
        QVERIFY(!first.anotherInstanceRunning() && !first.anotherInstanceRunning());
        QVERIFY(second.anotherInstanceRunning());
        QVERIFY(!unmakeable.anotherInstanceRunning());
    }
};

QTEST_APPLESS_MAIN(TestInstanceGuard)
#include "tst_instanceguard.moc"
