#include "chat/ActivityLog.h"
#include "chat/ChatPanel.h"
#include "chat/ChatView.h"
#include "settings/Module1.h"

#include "support/FakeClipboard.h"
#include "support/FakeClock.h"
#include "support/FakeEchoLinkSession.h"
#include "support/FakeSettingsWindow.h"
#include "support/RecordingMessageBox.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// The main window's chat controls: the history text as the widget would hold
// it, built only from what the panel hands over.
class FakeChatView : public ChatView
{
public:
    void appendHistory(const QString &chunk) override { history += chunk; }
    void setHistory(const QString &text) override
    {
        history = text;
        ++replaced;
    }
    void moveHistoryCaretToEnd() override { caretAtEnd = true; }
    QString selectedHistoryText() const override { return selection; }
    QString inputText() const override { return input; }
    void clearInput() override { input.clear(); }
    void focusInput() override { ++inputFocused; }
    bool chkDateChecked() const override { return date; }
    bool chkTimeChecked() const override { return time; }
    bool chkLogChecked() const override { return log; }
    void setConnectedCall(const QString &call) override { conCall = call; }

    QString history;
    int replaced = 0;
    bool caretAtEnd = false;
    QString selection;
    QString input;
    int inputFocused = 0;
    bool date = false;
    bool time = false;
    bool log = false;
    QString conCall = QStringLiteral("(unset)");
};

// Sends, then cannot tell its own callsign.
class NoCallsignSession : public FakeEchoLinkSession
{
public:
    QString stationCallsign() override { throw EchoLinkError("StationInfo failed"); }
};

const QString sep = QStringLiteral("\r\n\r\n");

} // namespace

class TestChat : public QObject
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
        m_clipboard = FakeClipboard();
        m_echo.calls.clear();
        m_echo.failing = false;
        m_view = FakeChatView();
        m_log = std::make_unique<ActivityLog>(*m_module, m_clock);
        makePanel(&m_echo);
    }

    void entryStamps_data()
    {
        QTest::addColumn<bool>("date");
        QTest::addColumn<bool>("time");
        QTest::addColumn<QString>("entry");
        QTest::newRow("none") << false << false << sep + "N0CALL>hello";
        QTest::newRow("time") << false << true << sep + "[21:05:09]N0CALL>hello";
        QTest::newRow("date") << true << false << sep + "[2006/03/14]N0CALL>hello";
        QTest::newRow("both") << true << true << sep + "[2006/03/14][21:05:09]N0CALL>hello";
    }
    void entryStamps()
    {
        QFETCH(bool, date);
        QFETCH(bool, time);
        QFETCH(QString, entry);
        m_view.date = date;
        m_view.time = time;
        m_panel->Echo_ChatTextReceived("N0CALL>hello");
        QCOMPARE(m_panel->history().text(), entry);
        m_panel->Echo_ChatTextReceived("N0CALL>hello");
        QCOMPARE(m_panel->history().text(), entry + entry);
        QCOMPARE(m_view.history, m_panel->history().text());
        QVERIFY(m_view.caretAtEnd);
    }

    void sendShowsOwnEntry_data()
    {
        QTest::addColumn<QString>("input");
        QTest::newRow("message") << "hello";
        QTest::newRow("empty input is sent too") << "";
    }
    void sendShowsOwnEntry()
    {
        QFETCH(QString, input);
        m_view.time = true;
        m_view.log = true;
        m_view.input = input;
        m_panel->SendChatMessage();
        QCOMPARE(m_echo.calls, QStringList({"SendChatText " + input, "Callsign"}));
        QCOMPARE(m_view.history, sep + "[21:05:09]N0CALL>" + input);
        QCOMPARE(readFile(textLog()), "[21:05:09]N0CALL>" + input.toLatin1() + "\r\n");
        QCOMPARE(m_view.input, QString());
        QCOMPARE(m_view.inputFocused, 1);
        QVERIFY(m_view.caretAtEnd);
    }

    // A failure before the entry is built shows and logs nothing; the input
    // keeps its text.
    void failingSendShowsNothing_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("EchoLink rejects the text") << 0 << QStringList{"SendChatText hello"};
        QTest::newRow("Echo reference empty") << 1 << QStringList{};
        QTest::newRow("callsign unknown after sending") << 2 << QStringList{"SendChatText hello"};
    }
    void failingSendShowsNothing()
    {
        QFETCH(int, failure);
        QFETCH(QStringList, calls);
        NoCallsignSession noCallsign;
        m_echo.failing = failure == 0;
        makePanel(failure == 1 ? nullptr : failure == 2 ? &noCallsign : static_cast<EchoLinkSession *>(&m_echo));
        m_view.log = true;
        m_view.input = "hello";
        m_panel->SendChatMessage();
        QCOMPARE(m_echo.calls + noCallsign.calls, calls);
        QCOMPARE(m_view.history, QString());
        QCOMPARE(m_view.input, QString("hello"));
        QCOMPARE(m_view.inputFocused, 0);
        QCOMPARE(readFile(textLog()), QByteArray("(missing)"));
    }

    // Received lines of varied lengths fill the history; the sent entry
    // "\r\n\r\nN0CALL>" + input then brings it to exactly `total` characters.
    void trimOnSend_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<bool>("trimmed");
        QTest::newRow("20000 kept") << 20000 << false;
        QTest::newRow("20001 cut") << 20001 << true;
    }
    void trimOnSend()
    {
        QFETCH(int, total);
        QFETCH(bool, trimmed);
        for (int i = 0; m_panel->history().length() < 19000; ++i)
            m_panel->Echo_ChatTextReceived("JA1ABC>" + QString(i % 97, 'x'));
        m_view.input = QString(total - int(m_panel->history().length()) - 11, 'y');
        const QString before = m_panel->history().text() + sep + "N0CALL>" + m_view.input;
        QCOMPARE(before.size(), total);

        m_panel->SendChatMessage();
        const QString after = m_panel->history().text();
        QCOMPARE(m_view.history, after);
        QCOMPARE(m_view.replaced, trimmed ? 1 : 0);
        if (!trimmed) {
            QCOMPARE(after, before);
            return;
        }
        const QString tail = before.right(8000);
        QCOMPARE(after, tail.mid(tail.indexOf("\r\n") + 2));
        QVERIFY(after.size() <= 7998);
        QVERIFY(before.endsWith(after));
        QVERIFY(before.chopped(after.size()).endsWith("\r\n"));
        QVERIFY(m_view.caretAtEnd);
    }

    void trimWithoutLineBreakKeepsTail()
    {
        m_view.input = QString(30000, 'z');
        m_panel->SendChatMessage();
        QCOMPARE(m_panel->history().text(), QString(8000, 'z'));
        QCOMPARE(m_view.history, QString(8000, 'z'));
    }

    void receivedNeverTrims()
    {
        const QString line = "JA1ABC>" + QString(30000, 'x');
        m_panel->Echo_ChatTextReceived(line);
        QCOMPARE(m_panel->history().text(), sep + line);
        QCOMPARE(m_view.replaced, 0);
    }

    void receivedSpeaksAndLogs_data()
    {
        QTest::addColumn<bool>("speech");
        QTest::addColumn<bool>("log");
        QTest::newRow("neither") << false << false;
        QTest::newRow("speech") << true << false;
        QTest::newRow("log") << false << true;
        QTest::newRow("both") << true << true;
    }
    void receivedSpeaksAndLogs()
    {
        QFETCH(bool, speech);
        QFETCH(bool, log);
        m_module->settings.Speech = speech;
        m_view.log = log;
        m_view.date = m_view.time = true;
        m_panel->Echo_ChatTextReceived("N0CALL-R>hello");
        QCOMPARE(m_clipboard.writes, speech ? 1 : 0);
        if (speech)
            QVERIFY(m_clipboard.text.endsWith(QString::fromUtf16(u".\u308A\u3074\u30FC\u305F\u3002hello")));
        QCOMPARE(QDir(m_folder + "Logs").entryList(QDir::Files), log ? QStringList{"20060314.txt"} : QStringList{});
        if (log)
            QCOMPARE(readFile(textLog()), QByteArray("[21:05:09]N0CALL-R>hello\r\n"));
        QCOMPARE(m_view.history, sep + "[2006/03/14][21:05:09]N0CALL-R>hello");
    }

    void clearAndConnection()
    {
        m_panel->Echo_ChatTextReceived("N0CALL>hello");
        m_panel->cmdClr_Click();
        QCOMPARE(m_panel->history().text(), QString());
        QCOMPARE(m_view.history, QString());
        QCOMPARE(m_view.inputFocused, 1);
        m_panel->Echo_ChatTextReceived("N0CALL>again");
        QCOMPARE(m_view.history, sep + "N0CALL>again");

        m_panel->Echo_Connected("JA1XYZ-L", "Taro", "192.0.2.1");
        QCOMPARE(m_view.conCall, QString("JA1XYZ-L"));
        m_panel->Echo_DisConnected("SOMEONE-ELSE");
        QCOMPARE(m_view.conCall, QString());
    }

    void historyKeys_data()
    {
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<int>("shift");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("copied");
        QTest::addColumn<bool>("focused");
        QTest::newRow("Ctrl+C") << 67 << 2 << 67 << true << true;
        QTest::newRow("Ctrl+Shift+C") << 67 << 3 << 0 << false << false;
        QTest::newRow("Ctrl+Alt+C") << 67 << 6 << 0 << false << false;
        QTest::newRow("C") << 67 << 0 << 0 << false << false;
        QTest::newRow("Ctrl+V") << 86 << 2 << 0 << false << false;
        QTest::newRow("Escape") << 27 << 0 << 27 << false << true;
        QTest::newRow("Delete") << 46 << 0 << 0 << false << false;
    }
    void historyKeys()
    {
        QFETCH(int, keyCode);
        QFETCH(int, shift);
        QFETCH(int, result);
        QFETCH(bool, copied);
        QFETCH(bool, focused);
        m_view.selection = "a\r\nb";
        QCOMPARE(m_panel->lChat_KeyDown(keyCode, shift), result);
        QCOMPARE(m_clipboard.text, copied ? QString("a\r\nb") : QString("(untouched)"));
        QCOMPARE(m_view.inputFocused, focused ? 1 : 0);
    }

    void inputKeys()
    {
        QCOMPARE(m_panel->lChat_KeyPress('a'), 0);
        QCOMPARE(m_panel->lChat_KeyPress(27), 27);
        QCOMPARE(m_view.inputFocused, 1);

        m_view.input = "hello";
        QCOMPARE(m_panel->sInput_KeyPress('a'), int('a'));
        QVERIFY(m_echo.calls.isEmpty());
        QCOMPARE(m_panel->sInput_KeyPress(13), 0);
        QCOMPARE(m_echo.calls, QStringList({"SendChatText hello", "Callsign"}));
    }

private:
    void makePanel(EchoLinkSession *session)
    {
        m_panel = std::make_unique<ChatPanel>(*m_module, m_clock, [session] { return session; }, m_clipboard, *m_log,
                                              m_view);
    }
    QString textLog() const { return m_folder + "Logs/20060314.txt"; }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
    FakeSettingsWindow m_window;
    RecordingMessageBox m_messages;
    std::unique_ptr<Module1> m_module;
    FakeClock m_clock;
    FakeClipboard m_clipboard;
    FakeEchoLinkSession m_echo;
    FakeChatView m_view;
    std::unique_ptr<ActivityLog> m_log;
    std::unique_ptr<ChatPanel> m_panel;
};

QTEST_GUILESS_MAIN(TestChat)
#include "tst_chat.moc"
