#include "system/Folders.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestFolders : public QObject
{
    Q_OBJECT

private slots:
    // Only a launcher under ../share/applications marks an installed copy,
    // whose settings stay out of the bin folder even where it could write.
    void installedCopy()
    {
        QTemporaryDir dir;
        const QString usr = dir.filePath("usr/");
        QVERIFY(QDir().mkpath(usr + "bin") && QDir().mkpath(usr + "share/applications"));
        QVERIFY(!Folders::isInstalledCopy(usr + "bin/") && writeFile(usr + "share/applications/vorlane.desktop", ""));
        QVERIFY(Folders::isInstalledCopy(usr + "bin/") && !Folders::isInstalledCopy(usr));
    }

    // Qt gives no temp path for a missing TMPDIR; ours stays absolute.
    void tempFolderForAMissingTmpdir()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows takes its temp folder from GetTempPath, not TMPDIR");
#else
        QTemporaryDir dir;
        qputenv("TMPDIR", dir.filePath("gone").toLocal8Bit());
        QCOMPARE(Folders::tempFolder(), dir.filePath("gone"));
        qunsetenv("TMPDIR");
#endif
    }
};

QTEST_APPLESS_MAIN(TestFolders)
#include "tst_folders.moc"
