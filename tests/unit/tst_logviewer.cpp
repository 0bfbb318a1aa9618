#include "compat/RunTimeError.h"
#include "desktop/FileOpenDialog.h"
#include "desktop/Twips.h"
#include "desktop/WindowFrame.h"
#include "ui/dialogs/LogViewer.h"

#include "support/ChatFixture.h"
#include "support/FakeMainWindowState.h"
#include "support/RecordingMessageDialog.h"

#include <QPlainTextEdit>
#include <QtTest>

namespace {

// The viewer over the fixture, which also plays the file-open dialog: it
// answers `answer`, the proposed path (as after Cancel) while that is empty,
// or fails on "fail", and keeps the proposed path.
struct ViewerFixture : ChatFixture, FileOpenDialog
{
    QString open(QWidget *, const QString &, const QList<FileType> &, const QString &initialPath,
                 const QString &) override
    {
        proposed = initialPath;
        if (answer == "fail")
            throw RunTimeError("dialog not available");
        return answer.isEmpty() ? initialPath : answer;
    }

    QString answer, proposed;
    FakeMainWindowState window;
    RecordingMessageDialog messages;
    LogViewer viewer{settings, clock, window, messages, clipboard, *this};
    QPlainTextEdit *const text = viewer.findChild<QPlainTextEdit *>("logText");
};

} // namespace

class TestLogViewer : public QObject
{
    Q_OBJECT

private slots:
    // Today's log is proposed; the chosen file is shown under its own path,
    // and today's when the dialog fails.
    void load_data()
    {
        QTest::addColumn<QString>("file");   // the log written under Logs, if any
        QTest::addColumn<QString>("answer"); // a name under Logs, empty for Cancel, or "fail"
        QTest::addColumn<QString>("shown");  // the caption under Logs; empty when not shown
        QTest::addColumn<QString>("message");
        const QString today = "20060314.txt", notFound = "File not Found";
        QTest::newRow("cancel shows today's log") << today << "" << today << "";
        QTest::newRow("no log today") << "" << "" << "" << notFound;
        QTest::newRow("chosen file missing") << today << "nothere.txt" << "" << notFound;
        QTest::newRow("name cut at its NUL") << "old.txt" << "old.txt" + QString(5, QChar(0)) << "old.txt" << "";
        QTest::newRow("failing dialog leaves today's log") << today << "fail" << today << "frmView.logDir Error";
    }
    void load()
    {
        QFETCH(QString, file);
        QFETCH(QString, answer);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        ViewerFixture f;
        QVERIFY(file.isEmpty() || writeFile(f.logsFile(file), "JA1ABC>hello\r\nJA2XYZ>73\r\n"));
        f.answer = answer.isEmpty() || answer == "fail" ? answer : f.logsFile(answer);
        QCOMPARE(f.viewer.load(), !shown.isEmpty());
        QCOMPARE(f.proposed, f.logsFile());
        QCOMPARE(f.messages.texts().join('|'), message);
        if (!shown.isEmpty()) {
            QCOMPARE(f.viewer.windowTitle(), f.logsFile(shown));
            QCOMPARE(f.text->toPlainText(), QString("JA1ABC>hello\nJA2XYZ>73\n"));
        }
    }

    // What the log kept as "&#x...;" shows as the characters it stands for.
    void showsWhatTheLogEscaped()
    {
        ViewerFixture f;
        QVERIFY(writeFile(f.logsFile(), "[12:00:00]DL1ABC>Gr&#xFC;&#xDF;e &#x26;#x41;\r\n"));
        QVERIFY(f.viewer.load());
        QCOMPARE(f.text->toPlainText(), QString::fromUtf8("[12:00:00]DL1ABC>Grüße &#x41;\n"));
    }

    // Today's log as the user sees it, in its font and place. Ctrl+C copies
    // the selection as CR LF text; the reading keys move the caret and
    // select; no key changes the text. The smallest size holds.
    void shownViewer()
    {
        ViewerFixture f;
        f.settings.fontSize = 14;
        f.window.setPlacement({300, 600, 5640, 8460});
        QVERIFY(writeFile(f.logsFile(), "JA1ABC>hello\r\nJA2XYZ>73\r\n"));
        QVERIFY(f.viewer.load());
        QCOMPARE(f.text->font().pointSizeF(), 14.0);
        QCOMPARE(f.viewer.pos(), QPoint(Twips::toPixels(550), Twips::toPixels(2700)));
        f.viewer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.viewer));
        QCOMPARE(f.viewer.size(), QSize(Twips::toPixels(4875), Twips::toPixels(3195))); // the design client area

        f.text->moveCursor(QTextCursor::Down);
        f.text->moveCursor(QTextCursor::End, QTextCursor::KeepAnchor);
        QTest::keyClick(f.text, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(f.clipboard.text(), QString("JA2XYZ>73\r\n"));
        for (const char *keys : {"A", "Backspace", "Del", "Return", "Ctrl+V", "Ctrl+X", "Ctrl+Shift+C"})
            QTest::keySequence(f.text, QKeySequence(keys));
        QCOMPARE(f.text->toPlainText(), QString("JA1ABC>hello\nJA2XYZ>73\n"));
        QCOMPARE(f.text->textCursor().selectedText(), QString("JA2XYZ>73\u2029"));
        QCOMPARE(f.clipboard.writes(), 1);
        for (const char *keys : {"Ctrl+Home", "Shift+End"})
            QTest::keySequence(f.text, QKeySequence(keys));
        QCOMPARE(f.text->textCursor().selectedText(), QString("JA1ABC>hello"));
        QTest::keySequence(f.text, QKeySequence("Ctrl+A"));
        QCOMPARE(f.text->textCursor().selectedText().size(), f.text->toPlainText().size());
        f.clipboard.setFailing(true);
        QTest::keyClick(f.text, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(f.messages.texts(), QStringList{"frmView.Text1_KeyDown Error"});

        // The outer size is the client area plus the design frame, whatever the
        // platform draws: the text fills the window but for a narrow band.
        f.viewer.resize(20, 20);
        QCOMPARE(f.viewer.size(), QSize(Twips::toPixels(1680 - WindowFrame::Width),
                                        Twips::toPixels(1200 - WindowFrame::Height)));
        for (const QSize &asked : {QSize(20, 20), QSize(400, 300), QSize(900, 150)}) {
            f.viewer.resize(asked);
            const QRect text = f.text->geometry();
            const int right = f.viewer.width() - text.right() - 1;
            const int below = f.viewer.height() - text.bottom() - 1;
            QVERIFY2(right >= 0 && right <= 4 && below >= 0 && below <= 6,
                     qPrintable(QString("bands %1, %2 px").arg(right).arg(below)));
        }
    }
};

QTEST_MAIN(TestLogViewer)
#include "tst_logviewer.moc"
