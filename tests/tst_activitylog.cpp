#include "chat/ActivityLog.h"
#include "settings/Module1.h"

#include "support/FakeClock.h"
#include "support/FakeSettingsWindow.h"
#include "support/RecordingMessageBox.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QByteArray header = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
                          "<HTML>\r\n"
                          "<HEAD>\r\n"
                          "<TITLE>Echolink Logs</TITLE>\r\n"
                          "<META HTTP-EQUIV=\"CONTENT-TYPE\" CONTENT=\"text/html;CHARSET=Shift_JIS\">\r\n"
                          "</HEAD>\r\n"
                          "<BODY>\r\n";

} // namespace

class TestActivityLog : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_folder = m_dir->path() + "/";
        m_module = std::make_unique<Module1>(m_window, m_messages, ProgramFolders{m_folder, m_folder + "none/", m_folder});
        QVERIFY(m_module->EnsureLogsFolder());
        m_clock = FakeClock();
        m_log = std::make_unique<ActivityLog>(*m_module, m_clock);
    }

    void textLogBytes()
    {
        write("N0CALL>hello");
        m_clock.advanceMs(2000);
        write("JA1XYZ>\u3053\u3093\u306B\u3061\u306F");
        QCOMPARE(readFile(logsFile("20060314.txt")),
                 QByteArray("[21:05:09]N0CALL>hello\r\n[21:05:11]JA1XYZ>\x82\xb1\x82\xf1\x82\xc9\x82\xbf\x82\xcd\r\n"));
        QVERIFY(m_messages.texts.isEmpty());
    }

    void newHtmlFileHasHeaderOnce()
    {
        m_module->settings.HttpLog = m_folder + "chat.html";
        write("N0CALL>hello");
        QCOMPARE(readFile(m_folder + "chat.html"), header + "[21:05:09]N0CALL>hello<br>\r\n");
        write("N0CALL>again");
        QCOMPARE(readFile(m_folder + "chat.html"),
                 header + "[21:05:09]N0CALL>hello<br>\r\n[21:05:09]N0CALL>again<br>\r\n");
    }

    void lineAfterMidnightStartsNewFile()
    {
        m_module->settings.HttpLog = m_folder + "chat%date%.html";
        m_clock.set(QDateTime(QDate(2006, 3, 14), QTime(23, 59, 59)));
        write("A>before");
        m_clock.advanceMs(2000);
        write("B>after");
        QCOMPARE(readFile(logsFile("20060314.txt")), QByteArray("[23:59:59]A>before\r\n"));
        QCOMPARE(readFile(logsFile("20060315.txt")), QByteArray("[00:00:01]B>after\r\n"));
        QCOMPARE(readFile(m_folder + "chat20060315.html"), header + "[00:00:01]B>after<br>\r\n");
    }

    // HttpLog with "@" standing for the temporary folder; the expected file is
    // relative to it.
    void htmlPath_data()
    {
        QTest::addColumn<QString>("httpLog");
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
        QFETCH(QString, httpLog);
        QFETCH(QString, expected);
        QVERIFY(QDir(m_folder).mkdir("www"));
        m_module->settings.HttpLog = httpLog.replace("@", m_folder);
        write("N0CALL>hello");
        QCOMPARE(m_log->htmlLogPath(), m_folder + expected);
        QCOMPARE(readFile(m_folder + expected), header + "[21:05:09]N0CALL>hello<br>\r\n");
    }

    void emptyHttpLogWritesTextOnly()
    {
        write("N0CALL>hello");
        QCOMPARE(m_log->htmlLogPath(), QString());
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), QStringList());
        QCOMPARE(QDir(m_folder + "Logs").entryList(QDir::Files), QStringList{"20060314.txt"});
    }

    // A directory standing where the text log belongs makes it unwritable even
    // for root.
    void unwritableTextLogStillWritesHtml()
    {
        QVERIFY(QDir(m_folder).mkpath("Logs/20060314.txt"));
        m_module->settings.HttpLog = m_folder + "chat.html";
        write("N0CALL>hello");
        QCOMPARE(readFile(m_folder + "chat.html"), header + "[21:05:09]N0CALL>hello<br>\r\n");
        QVERIFY(m_messages.texts.isEmpty());
    }

    void unwritableHtmlLogKeepsTextLog()
    {
        QVERIFY(QDir(m_folder).mkdir("chat.html"));
        m_module->settings.HttpLog = m_folder + "chat.html";
        write("N0CALL>hello");
        m_module->settings.HttpLog = m_folder + "missing-folder/chat.html";
        write("N0CALL>again");
        QCOMPARE(readFile(logsFile("20060314.txt")), QByteArray("[21:05:09]N0CALL>hello\r\n[21:05:09]N0CALL>again\r\n"));
        QVERIFY(m_messages.texts.isEmpty());
    }

    void hostileLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("markup") << "X>&lt;<script>alert(1)</script>&" << QByteArray("X>&lt;<script>alert(1)</script>&");
        QTest::newRow("nul and controls") << QString::fromUtf16(u"X>a\0b\x01\x1b\x7f", 9) << QByteArray("X>a\0b\x01\x1b\x7f", 9);
        QTest::newRow("lone surrogates") << QString::fromUtf16(u"X>\xD800" u"a\xDC00", 5) << QByteArray("X>?a?");
        QTest::newRow("outside code page 932") << QString::fromUtf8("X>\xF0\x9F\x98\x80\xC3\xA9") << QByteArray("X>??");
        QTest::newRow("one megabyte") << "X>" + QString(1 << 20, 'm') << "X>" + QByteArray(1 << 20, 'm');
    }
    void hostileLines()
    {
        QFETCH(QString, line);
        QFETCH(QByteArray, bytes);
        m_module->settings.HttpLog = m_folder + "chat.html";
        write(line);
        QCOMPARE(readFile(logsFile("20060314.txt")), "[21:05:09]" + bytes + "\r\n");
        QCOMPARE(readFile(m_folder + "chat.html"), header + "[21:05:09]" + bytes + "<br>\r\n");
    }

private:
    QString logsFile(const QString &name) const { return m_folder + "Logs/" + name; }
    void write(const QString &line) { m_log->WriteActivityLog(line); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
    FakeSettingsWindow m_window;
    RecordingMessageBox m_messages;
    std::unique_ptr<Module1> m_module;
    FakeClock m_clock;
    std::unique_ptr<ActivityLog> m_log;
};

QTEST_GUILESS_MAIN(TestActivityLog)
#include "tst_activitylog.moc"
