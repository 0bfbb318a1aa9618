#include "system/Folders.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestFolders : public QObject
{
    Q_OBJECT

private slots:
    // An installed copy keeps its settings out of its program folder even
    // where it could write there. On Windows it is the one in the default
    // install folder; elsewhere a launcher under ../share/applications marks it.
    void installedCopy()
    {
#ifdef Q_OS_WIN
        QVERIFY(Folders::isInstalledCopy("C:\\Program Files\\Vorlane\\"));
        QVERIFY(Folders::isInstalledCopy("c:/program files/vorlane"));
        QVERIFY(!Folders::isInstalledCopy("C:\\Program Files\\Vorlane\\bin\\"));
        QVERIFY(!Folders::isInstalledCopy("D:\\Vorlane\\"));
#else
        QTemporaryDir dir;
        const QString usr = dir.filePath("usr/");
        QVERIFY(QDir().mkpath(usr + "bin") && QDir().mkpath(usr + "share/applications"));
        QVERIFY(!Folders::isInstalledCopy(usr + "bin/") && writeFile(usr + "share/applications/vorlane.desktop", ""));
        QVERIFY(Folders::isInstalledCopy(usr + "bin/") && !Folders::isInstalledCopy(usr));
#endif
    }

    // Whether a file can be made is tried, and the try leaves nothing.
    void canCreateFiles()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("plain"), "a file, not a folder"));
        QVERIFY(Folders::canCreateFilesIn(dir.path()));
        QVERIFY(!Folders::canCreateFilesIn(dir.filePath("missing")));
        QVERIFY(!Folders::canCreateFilesIn(dir.filePath("plain")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"plain"});
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
