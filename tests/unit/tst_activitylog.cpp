#include "support/ChatFixture.h"

#include <QDir>
#include <QtTest>

namespace {

const QByteArray header = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<HTML>\r\n<HEAD>\r\n"
                          "<TITLE>Echolink Logs</TITLE>\r\n"
                          "<META HTTP-EQUIV=\"CONTENT-TYPE\" CONTENT=\"text/html;CHARSET=Shift_JIS\">\r\n"
                          "</HEAD>\r\n<BODY>\r\n";

} // namespace

class TestActivityLog : public QObject
{
    Q_OBJECT

private slots:
    // "@" stands for the program folder, where the expected file is. Of two
    // lines, a second apart, only the first follows the new file's header.
    void htmlPath_data()
    {
        QTest::addColumn<QString>("htmlLog");
        QTest::addColumn<QString>("expected");
        QTest::newRow("marker") << "@www/chat%date%.html" << "www/chat20060314.html";
        QTest::newRow("extension replaced") << "@www/chat%date%.htm" << "www/chat20060314.html";
        QTest::newRow("nothing after marker") << "@www/chat%date%" << "www/chat20060314.html";
        QTest::newRow("capital marker is a plain path") << "@www/chat%DATE%.html" << "www/chat%DATE%.html";
        QTest::newRow("cut at the first percent") << "@www/a%b%date%.html" << "www/a20060314.html";
        QTest::newRow("no marker") << "@www/chat.html" << "www/chat.html";
        QTest::newRow("relative, inside the program folder") << "www/chat%date%.html" << "www/chat20060314.html";
        QTest::newRow("marker at the first character") << "%date%.html" << "%date%.html";
    }
    void htmlPath()
    {
        QFETCH(QString, htmlLog);
        QFETCH(QString, expected);
        ChatFixture f;
        QVERIFY(QDir(f.folder).mkdir("www"));
        f.settings.htmlLog = htmlLog.replace("@", f.folder);
        f.log.write("N0CALL>hello");
        f.clock.advanceMs(1000);
        f.log.write("N0CALL>again");
        QCOMPARE(f.log.htmlLogPath(), f.folder + expected);
        QCOMPARE(readFile(f.folder + expected),
                 header + "[21:05:09]N0CALL>hello<br>\r\n[21:05:10]N0CALL>again<br>\r\n");
    }

    // Without an HTML log only the text log is written. A folder in a file's
    // place (unwritable even for root) skips it, quietly, but not the other.
    void eachFileOnItsOwn()
    {
        ChatFixture f;
        f.log.write("N0CALL>one");
        QCOMPARE(QDir(f.folder).entryList(QDir::Files), QStringList());
        QVERIFY(QDir(f.folder).mkdir("chat.html"));
        f.settings.htmlLog = f.folder + "chat.html";
        f.log.write("N0CALL>two");
        QCOMPARE(readFile(f.logsFile()), QByteArray("[21:05:09]N0CALL>one\r\n[21:05:09]N0CALL>two\r\n"));

        QVERIFY(QFile::remove(f.logsFile()));
        QVERIFY(QDir(f.folder).mkpath("Logs/20060314.txt"));
        f.settings.htmlLog = f.folder + "other.html";
        f.log.write("N0CALL>three");
        QCOMPARE(readFile(f.folder + "other.html"), header + "[21:05:09]N0CALL>three<br>\r\n");
    }

    // Both files take the chat line as it stands, in code page 932.
    // What code page 932 lacks is kept as "&#x...;" in both logs; in the text
    // log a literal "&#" is escaped too, so the viewer reads every line back.
    void chatLineBytes_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("html"); // when it differs from text
        QTest::newRow("Japanese") << QString::fromUtf16(u"JA1XYZ>\u3053\u3093\u306B\u3061\u306F")
                                  << QByteArray("JA1XYZ>\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd") << QByteArray();
        QTest::newRow("markup") << "X>&lt;<script>alert(1)</script>&" << QByteArray("X>&lt;<script>alert(1)</script>&")
                                << QByteArray();
        QTest::newRow("a reference typed in the chat") << "X>&#x41; &#65;" << QByteArray("X>&#x26;#x41; &#x26;#65;")
                                                       << QByteArray("X>&#x41; &#65;");
        QTest::newRow("German") << QString::fromUtf8("DL1ABC>Grüße aus Köln")
                                << QByteArray("DL1ABC>Gr&#xFC;&#xDF;e aus K&#xF6;ln") << QByteArray();
        QTest::newRow("yen would turn into a backslash") << QString::fromUtf8("X>¥100") << QByteArray("X>&#xA5;100")
                                                         << QByteArray();
        QTest::newRow("nul, controls, lone surrogate, emoji")
            << QString::fromUtf16(u"X>a\0b\x01\x1b\x7f\xD800\U0001F600", 11)
            << QByteArray("X>a\0b\x01\x1b\x7f&#xD800;&#x1F600;", 25) << QByteArray();
        QTest::newRow("one megabyte") << "X>" + QString(1 << 20, 'm') << "X>" + QByteArray(1 << 20, 'm') << QByteArray();
    }
    void chatLineBytes()
    {
        QFETCH(QString, line);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, html);
        ChatFixture f;
        f.settings.htmlLog = f.folder + "chat.html";
        f.log.write(line);
        QCOMPARE(readFile(f.logsFile()), "[21:05:09]" + text + "\r\n");
        QCOMPARE(readFile(f.folder + "chat.html"), header + "[21:05:09]" + (html.isNull() ? text : html) + "<br>\r\n");
    }
};

QTEST_GUILESS_MAIN(TestActivityLog)
#include "tst_activitylog.moc"
