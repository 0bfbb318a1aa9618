#include "chat/ChatPanel.h"
#include "chat/ChatView.h"

#include "support/ChatFixture.h"
#include "support/FakeEchoLinkSession.h"

#include <QtTest>

namespace {

// Sends, then cannot tell its own callsign.
struct NoCallsignSession : FakeEchoLinkSession
{
    QString stationCallsign() override { throw EchoLinkError("StationInfo failed"); }
};

// The panel over the fixture, which also plays the main window's chat
// controls: the history as the widget would hold it, built only from what the
// panel hands over. The caret is at the end only when moved there last.
struct PanelFixture : ChatFixture, ChatView
{
    void appendHistory(const QString &chunk) override { history += chunk, caretAtEnd = false; }
    void setHistory(const QString &text) override { history = text, caretAtEnd = false, ++replaced; }
    void moveHistoryCaretToEnd() override { caretAtEnd = true; }
    QString selectedHistoryText() const override { return selection; }
    QString inputText() const override { return input; }
    void clearInput() override { input.clear(); }
    void focusInput() override { ++inputFocused; }
    ChatSwitches switches() const override { return {date, time, logging}; }
    void setConnectedCall(const QString &call) override { connectedCall = call; }

    QString history, selection, input, connectedCall;
    int replaced = 0, inputFocused = 0;
    bool caretAtEnd = false, date = false, time = false, logging = false;
    FakeEchoLinkSession echo;
    EchoLinkSession *session = &echo;
    ChatPanel panel{settings, clock, SessionRef([this] { return session; }), clipboard, log, *this};
};

const QString sep = QStringLiteral("\r\n\r\n");

} // namespace

class TestChatPanel : public QObject
{
    Q_OBJECT

private slots:
    // Each switch is read live: the stamps, the callsign speech and the log.
    void received()
    {
        PanelFixture f;
        f.time = true;
        f.panel.onChatTextReceived("A>one");
        f.date = f.logging = true;
        f.settings.speakCallsigns = true;
        f.panel.onChatTextReceived("B>two");
        f.time = false;
        f.panel.onChatTextReceived("C>three");
        QCOMPARE(f.history,
                 sep + "[21:05:09]A>one" + sep + "[2006/03/14][21:05:09]B>two" + sep + "[2006/03/14]C>three");
        QCOMPARE(f.panel.history().tail(), f.history);
        QCOMPARE(f.panel.history().length(), f.history.size());
        QVERIFY(f.caretAtEnd);
        QCOMPARE(f.clipboard.text(), QString::fromUtf16(u"C\u3002three"));
        QCOMPARE(f.clipboard.writes(), 2);
        QCOMPARE(readFile(f.logsFile()), "[21:05:09]B>two\r\n[21:05:09]C>three\r\n");
    }

    // Enter sends the text, then asks for the own callsign; the entry is shown
    // and logged, and the input emptied. A failure before the entry is built
    // shows and logs nothing, and the input keeps its text.
    void send()
    {
        PanelFixture f;
        f.time = f.logging = true;
        f.input = "hello";
        f.panel.sendMessage();
        f.panel.sendMessage();
        QCOMPARE(f.echo.calls(), (QStringList{"SendChatText hello", "Callsign", "SendChatText ", "Callsign"}));
        QCOMPARE(f.history, sep + "[21:05:09]N0CALL>hello" + sep + "[21:05:09]N0CALL>");
        QCOMPARE(readFile(f.logsFile()), "[21:05:09]N0CALL>hello\r\n[21:05:09]N0CALL>\r\n");
        QCOMPARE(f.inputFocused, 2);
        QVERIFY(f.caretAtEnd);

        NoCallsignSession noCallsign;
        f.echo.clearCalls();
        f.echo.setFailing(true);
        for (EchoLinkSession *session : std::initializer_list<EchoLinkSession *>{&f.echo, &noCallsign, nullptr}) {
            f.session = session;
            f.input = "again";
            f.panel.sendMessage();
        }
        QCOMPARE(f.echo.calls() + noCallsign.calls(), (QStringList{"SendChatText again", "SendChatText again"}));
        QCOMPARE(f.history, sep + "[21:05:09]N0CALL>hello" + sep + "[21:05:09]N0CALL>");
        QCOMPARE(readFile(f.logsFile()), "[21:05:09]N0CALL>hello\r\n[21:05:09]N0CALL>\r\n");
        QCOMPARE(f.input, QString("again"));
        QCOMPARE(f.inputFocused, 2);
    }

    // Sent to 20000 characters the history stays; at 20001 it keeps the last
    // 8000 after their first CR LF, or all 8000 without one. Receiving never cuts.
    void trimOnSend()
    {
        for (const int total : {20000, 20001}) {
            PanelFixture f;
            for (int i = 0; f.panel.history().length() < 19000; ++i)
                f.panel.onChatTextReceived("JA1ABC>" + QString(i % 97, 'x'));
            f.input = QString(total - int(f.panel.history().length()) - 11, 'y');
            const QString before = f.history + sep + "N0CALL>" + f.input, tail = before.right(8000);
            f.panel.sendMessage();
            QCOMPARE(f.history, total > 20000 ? tail.mid(tail.indexOf("\r\n") + 2) : before);
            QCOMPARE(f.panel.history().length(), f.history.size());
            QVERIFY(f.history.endsWith(f.panel.history().tail()));
            QCOMPARE(f.replaced, int(total > 20000));
            QVERIFY(f.caretAtEnd);
        }
        PanelFixture f;
        f.panel.onChatTextReceived("JA1ABC>" + QString(30000, 'x'));
        QCOMPARE(f.history.size(), 30011);
        f.input = QString(30000, 'z');
        f.panel.sendMessage();
        QCOMPARE(f.history, QString(8000, 'z'));
    }

    // Only Ctrl alone with C copies; it and Escape send the focus to the
    // input. Every other key does nothing.
    void historyKeys()
    {
        PanelFixture f;
        f.selection = "a\r\nb";
        const std::pair<int, Qt::KeyboardModifiers> ignored[] = {
            {Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier}, {Qt::Key_C, Qt::NoModifier},
            {Qt::Key_V, Qt::ControlModifier}, {Qt::Key_A, Qt::NoModifier}, {Qt::Key_Return, Qt::NoModifier}};
        for (const auto &[key, modifiers] : ignored)
            f.panel.onHistoryKey(key, modifiers);
        QCOMPARE(f.clipboard.writes() + f.inputFocused, 0);
        f.panel.onHistoryKey(Qt::Key_C, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(f.clipboard.text(), QString("a\r\nb"));
        QCOMPARE(f.inputFocused, 1);
        f.panel.onHistoryKey(Qt::Key_Escape, Qt::ShiftModifier);
        QCOMPARE(f.inputFocused, 2);
        QCOMPARE(f.clipboard.writes(), 1);
        QVERIFY(f.echo.calls().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestChatPanel)
#include "tst_chatpanel.moc"
