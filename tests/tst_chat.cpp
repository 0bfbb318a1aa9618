#include "chat/ChatPanel.h"
#include "chat/ChatView.h"

#include "support/ChatFixture.h"
#include "support/FakeEchoLinkSession.h"

#include <QtTest>

#include <memory>

namespace {

// The main window's chat controls: the history text as the widget would hold
// it, built only from what the panel hands over. The caret counts as at the
// end only when moved there after the last change.
class FakeChatView : public ChatView
{
public:
    void appendHistory(const QString &chunk) override { history += chunk; caretAtEnd = false; }
    void setHistory(const QString &text) override { history = text; caretAtEnd = false; ++replaced; }
    void moveHistoryCaretToEnd() override { caretAtEnd = true; }
    QString selectedHistoryText() const override { return selection; }
    QString inputText() const override { return input; }
    void clearInput() override { input.clear(); }
    void focusInput() override { ++inputFocused; }
    bool chkDateChecked() const override { return date; }
    bool chkTimeChecked() const override { return time; }
    bool chkLogChecked() const override { return log; }
    void setConnectedCall(const QString &call) override { conCall = call; }

    QString history, selection, input, conCall;
    int replaced = 0;
    int inputFocused = 0;
    bool caretAtEnd = false, date = false, time = false, log = false;
};

// Sends, then cannot tell its own callsign.
class NoCallsignSession : public FakeEchoLinkSession
{
public:
    QString stationCallsign() override { throw EchoLinkError("StationInfo failed"); }
};

// The panel over the fixture; the Echo reference is whatever `session` holds.
struct PanelFixture : ChatFixture
{
    FakeEchoLinkSession echo;
    EchoLinkSession *session = &echo;
    FakeChatView view;
    ChatPanel panel{module, clock, [this] { return session; }, clipboard, log, view};
};

const QString sep = QStringLiteral("\r\n\r\n");

} // namespace

class TestChat : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        f = std::make_unique<PanelFixture>();
        QVERIFY(f->logsReady);
    }

    // Each switch read live: the stamps, the callsign speech and the log.
    void received_data()
    {
        QTest::addColumn<bool>("date");
        QTest::addColumn<bool>("time");
        QTest::addColumn<bool>("speech");
        QTest::addColumn<bool>("log");
        QTest::addColumn<QString>("stamps");
        QTest::newRow("time, spoken") << false << true << true << false << "[21:05:09]";
        QTest::newRow("date, logged") << true << false << false << true << "[2006/03/14]";
        QTest::newRow("both stamps") << true << true << false << false << "[2006/03/14][21:05:09]";
    }
    void received()
    {
        QFETCH(bool, date);
        QFETCH(bool, time);
        QFETCH(bool, speech);
        QFETCH(bool, log);
        QFETCH(QString, stamps);
        f->view.date = date;
        f->view.time = time;
        f->view.log = log;
        f->module.settings.Speech = speech;
        f->panel.Echo_ChatTextReceived("N0CALL>hello");
        QCOMPARE(f->panel.history().text(), sep + stamps + "N0CALL>hello");
        QCOMPARE(f->view.history, f->panel.history().text());
        QVERIFY(f->view.caretAtEnd);
        QCOMPARE(f->clipboard.text.endsWith(QString::fromUtf16(u"\u3002hello")), speech);
        QCOMPARE(readFile(f->logsFile()), log ? QByteArray("[21:05:09]N0CALL>hello\r\n") : QByteArray("(missing)"));
    }

    // Enter in the input sends. A failure before the entry is built shows and
    // logs nothing, and the input keeps its text.
    void send_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("failure"); // 1 rejected, 2 no Echo reference, 3 no callsign
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("message") << "hello" << 0 << QStringList{"SendChatText hello", "Callsign"};
        QTest::newRow("empty input is sent too") << "" << 0 << QStringList{"SendChatText ", "Callsign"};
        QTest::newRow("EchoLink rejects the text") << "hello" << 1 << QStringList{"SendChatText hello"};
        QTest::newRow("Echo reference empty") << "hello" << 2 << QStringList{};
        QTest::newRow("callsign unknown after sending") << "hello" << 3 << QStringList{"SendChatText hello"};
    }
    void send()
    {
        QFETCH(QString, input);
        QFETCH(int, failure);
        QFETCH(QStringList, calls);
        NoCallsignSession noCallsign;
        f->echo.failing = failure == 1;
        f->session = failure == 2 ? nullptr : failure == 3 ? &noCallsign : f->session;
        f->view.time = f->view.log = true;
        f->view.input = input;
        QCOMPARE(f->panel.sInput_KeyPress(13), 0);
        const bool shown = failure == 0;
        QCOMPARE(f->echo.calls + noCallsign.calls, calls);
        QCOMPARE(f->view.history, shown ? sep + "[21:05:09]N0CALL>" + input : QString());
        QCOMPARE(readFile(f->logsFile()),
                 shown ? "[21:05:09]N0CALL>" + input.toLatin1() + "\r\n" : QByteArray("(missing)"));
        QCOMPARE(f->view.input, shown ? QString() : input);
        QCOMPARE(f->view.inputFocused, shown ? 1 : 0);
        QCOMPARE(f->view.caretAtEnd, shown);
    }

    // Received lines of varied lengths fill the history; the sent entry
    // "\r\n\r\nN0CALL>" + input then brings it to exactly `total` characters.
    void trimOnSend_data()
    {
        QTest::addColumn<int>("total");
        QTest::newRow("20000 kept") << 20000;
        QTest::newRow("20001 cut") << 20001;
    }
    void trimOnSend()
    {
        QFETCH(int, total);
        for (int i = 0; f->panel.history().length() < 19000; ++i)
            f->panel.Echo_ChatTextReceived("JA1ABC>" + QString(i % 97, 'x'));
        f->view.input = QString(total - int(f->panel.history().length()) - 11, 'y');
        const QString before = f->panel.history().text() + sep + "N0CALL>" + f->view.input;
        QCOMPARE(before.size(), total);

        f->panel.SendChatMessage();
        const QString tail = before.right(8000);
        QCOMPARE(f->panel.history().text(), total > 20000 ? tail.mid(tail.indexOf("\r\n") + 2) : before);
        QCOMPARE(f->view.history, f->panel.history().text());
        QCOMPARE(f->view.replaced, total > 20000 ? 1 : 0);
        QVERIFY(f->view.caretAtEnd);
    }

    // Received lines never cut the history; a sent one whose tail holds no
    // line break keeps the bare tail.
    void longLines()
    {
        const QString line = "JA1ABC>" + QString(30000, 'x');
        f->panel.Echo_ChatTextReceived(line);
        QCOMPARE(f->panel.history().text(), sep + line);
        QCOMPARE(f->view.replaced, 0);
        f->view.input = QString(30000, 'z');
        f->panel.SendChatMessage();
        QCOMPARE(f->panel.history().text(), QString(8000, 'z'));
        QCOMPARE(f->view.history, QString(8000, 'z'));
    }

    void clearAndConnection()
    {
        f->panel.Echo_ChatTextReceived("N0CALL>hello");
        f->panel.cmdClr_Click();
        QCOMPARE(f->panel.history().text(), QString());
        QCOMPARE(f->view.history, QString());
        QCOMPARE(f->view.inputFocused, 1);

        f->panel.Echo_Connected("JA1XYZ-L", "Taro", "192.0.2.1");
        QCOMPARE(f->view.conCall, QString("JA1XYZ-L"));
        f->panel.Echo_DisConnected("SOMEONE-ELSE");
        QCOMPARE(f->view.conCall, QString());
    }

    // A key the history keeps (result not 0) sends the focus to the input;
    // only Ctrl+C copies.
    void historyKeys_data()
    {
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<int>("shift");
        QTest::addColumn<int>("result");
        QTest::newRow("Ctrl+C") << 67 << 2 << 67;
        QTest::newRow("Ctrl+Shift+C") << 67 << 3 << 0;
        QTest::newRow("Ctrl+Alt+C") << 67 << 6 << 0;
        QTest::newRow("C") << 67 << 0 << 0;
        QTest::newRow("Ctrl+V") << 86 << 2 << 0;
        QTest::newRow("Escape") << 27 << 0 << 27;
    }
    void historyKeys()
    {
        QFETCH(int, keyCode);
        QFETCH(int, shift);
        QFETCH(int, result);
        f->view.selection = "a\r\nb";
        QCOMPARE(f->panel.lChat_KeyDown(keyCode, shift), result);
        QCOMPARE(f->clipboard.text, result == 67 ? QString("a\r\nb") : QString("(untouched)"));
        QCOMPARE(f->view.inputFocused, result ? 1 : 0);
    }

    void inputKeys()
    {
        f->view.input = "hello";
        QCOMPARE(f->panel.sInput_KeyPress('a'), int('a'));
        QCOMPARE(f->panel.lChat_KeyPress('a'), 0);
        QCOMPARE(f->view.inputFocused, 0);
        QCOMPARE(f->panel.lChat_KeyPress(27), 27);
        QCOMPARE(f->view.inputFocused, 1);
        QVERIFY(f->echo.calls.isEmpty());
    }

private:
    std::unique_ptr<PanelFixture> f;
};

QTEST_GUILESS_MAIN(TestChat)
#include "tst_chat.moc"
