#include "encoding/TextFile.h"

#include "support/TestFiles.h"

#include <QtTest>

namespace {

// Root writes into read-only folders, so such a case can only be checked
// when the permission really holds.
bool writeProtected(const QString &folder)
{
    QFile probe(folder + QStringLiteral("/probe"));
    if (!probe.open(QIODevice::WriteOnly))
        return true;
    probe.remove();
    return false;
}

} // namespace

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void readLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("maxLines");
        QTest::addColumn<QStringList>("lines");
        const QByteArray abc("a\r\nb\r\nc");
        const QString longLine(4095, QLatin1Char('x')); // its CR ends the first 4 KiB read
        const QByteArray longFile = longLine.toLatin1() + "\r\ny\r\nz";
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << -1 << QStringList{"a", "b"};
        QTest::newRow("lone CR and LF") << QByteArray("a\rb\nc") << -1 << QStringList{"a", "b", "c"};
        QTest::newRow("empty lines") << QByteArray("a\r\n\r\n\nb") << -1 << QStringList{"a", "", "", "b"};
        QTest::newRow("LF then CR is two ends") << QByteArray("a\n\rb") << -1 << QStringList{"a", "", "b"};
        QTest::newRow("empty file") << QByteArray() << -1 << QStringList();
        QTest::newRow("only a line end") << QByteArray("\r\n") << -1 << QStringList{""};
        QTest::newRow("cp932") << QByteArray("\x82\xa0\x81\x60\r\n") << -1 << QStringList{QString::fromUtf16(u"あ～")};
        QTest::newRow("binary") << QByteArray("\0\xff\r\x1a", 4) << -1
                                << QStringList{QString::fromUtf16(u"\0\uFFFD", 2), QString(QChar(0x1A))};
        QTest::newRow("max 2, the second past the first read") << "ab\r\n" + longLine.toLatin1() + "\r\nz" << 2
                                                              << QStringList{"ab", longLine};
        QTest::newRow("max 0") << abc << 0 << QStringList();
        QTest::newRow("max beyond end") << abc << 5 << QStringList{"a", "b", "c"};
        QTest::newRow("CR LF across reads") << longFile << -1 << QStringList{longLine, "y", "z"};
        QTest::newRow("CR LF across reads, max 2") << longFile << 2 << QStringList{longLine, "y"};
        QTest::newRow("CR LF across reads, max 1") << longFile << 1 << QStringList{longLine};
    }
    void readLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, maxLines);
        QFETCH(QStringList, lines);
        QVERIFY(writeFile(path("f.txt"), bytes));
        QCOMPARE(TextFile::readLines(path("f.txt"), maxLines), lines);
    }

    void readAllKeepsLineEnds()
    {
        QVERIFY(writeFile(path("f.txt"), "a\r\n\x82\xa0\n"));
        QCOMPARE(TextFile::readAll(path("f.txt")), QString::fromUtf16(u"a\r\nあ\n"));
    }

    // The replaced file leaves no temporary file beside it.
    void writeAndAppendExactBytes()
    {
        QVERIFY(writeFile(path("vln.ini"), QByteArray(500, 'o')));
        TextFile::writeLines(path("vln.ini"), {"Timer=00:03:00", QString::fromUtf16(u"ELDir=あ～"), "", "x\U0001F600"});
        QCOMPARE(readFile(path("vln.ini")), QByteArray("Timer=00:03:00\r\nELDir=\x82\xa0\x81\x60\r\n\r\nx?\r\n"));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"vln.ini"});

        const QString log = path("20060314.txt");
        TextFile::appendLine(log, "[21:05:09]N0CALL>hello");
        QCOMPARE(readFile(log), QByteArray("[21:05:09]N0CALL>hello\r\n"));
        TextFile::appendLine(log, QString::fromUtf16(u"あ"));
        TextFile::appendLines(log, {"<HTML>", ""});
        QCOMPARE(readFile(log), QByteArray("[21:05:09]N0CALL>hello\r\n\x82\xa0\r\n<HTML>\r\n\r\n"));
    }

    // Every failure throws and leaves what is on disk as it was.
    void failureKeepsOldFiles_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("target");
        QTest::newRow("read missing") << "read" << "missing.txt";
        QTest::newRow("read a folder") << "read" << ".";
        QTest::newRow("write over a folder") << "write" << "folder";
        QTest::newRow("write under a file") << "write" << "plain/vln.ini";
        QTest::newRow("write into read-only folder") << "write" << "locked/vln.ini";
        QTest::newRow("append to a folder") << "append" << ".";
        QTest::newRow("append under a file") << "append" << "plain/log.txt";
    }
    void failureKeepsOldFiles()
    {
        QFETCH(QString, op);
        QFETCH(QString, target);
        QVERIFY(QDir(m_dir->path()).mkpath("folder/inside"));
        QVERIFY(QDir(m_dir->path()).mkdir("locked"));
        QVERIFY(writeFile(path("plain"), "old\r\n"));
        QVERIFY(writeFile(path("locked/vln.ini"), "old\r\n"));
        QFile::setPermissions(path("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const auto unlock = qScopeGuard([&] { QFile::setPermissions(path("locked"), QFileDevice::ReadOwner
                                                                        | QFileDevice::WriteOwner | QFileDevice::ExeOwner); });
        if (target.startsWith("locked") && !writeProtected(path("locked")))
            QSKIP("running with rights that ignore folder permissions");

        if (op == "read") {
            QVERIFY_THROWS_EXCEPTION(TextFileError, TextFile::readLines(path(target), 16));
            QVERIFY_THROWS_EXCEPTION(TextFileError, TextFile::readAll(path(target)));
        } else if (op == "write") {
            QVERIFY_THROWS_EXCEPTION(TextFileError, TextFile::writeLines(path(target), {"new"}));
        } else {
            QVERIFY_THROWS_EXCEPTION(TextFileError, TextFile::appendLine(path(target), "x"));
        }
        QVERIFY(QFileInfo(path("folder/inside")).isDir());
        QCOMPARE(readFile(path("plain")), QByteArray("old\r\n"));
        QCOMPARE(readFile(path("locked/vln.ini")), QByteArray("old\r\n"));
    }

    // Only a lock another instance holds says "running": one that cannot be
    // made at all lets the program run.

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_APPLESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
