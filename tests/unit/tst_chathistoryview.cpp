#include "ui/widgets/ChatHistoryView.h"

#include <QApplication>
#include <QClipboard>
#include <QtTest>

class TestChatHistoryView : public QObject
{
    Q_OBJECT

private slots:
    // Chunks as the panel hands them over come back, selected or copied, as
    // their CR LF text. An unbroken run over 2000 characters switches to
    // wrapping anywhere; a whole-text replace switches as its text needs.
    void crLfTextRoundTrips_data()
    {
        QTest::addColumn<QStringList>("chunks");
        QTest::addColumn<bool>("anywhere");
        QTest::newRow("entries") << QStringList{"\r\n\r\n[21:05:09]A>one", "\r\n\r\nB>two"} << false;
        QTest::newRow("nul, controls, lone surrogates, markup")
            << QStringList{"\r\n\r\n" + QString::fromUtf16(u"X>a\0b\x01\x1b\xDC00<i>&amp;\xD800", 16)} << false;
        QTest::newRow("run of 2000") << QStringList{"\r\n\r\nX>" + QString(1998, 'm') + " a"} << false;
        QTest::newRow("run of 2001, then short") << QStringList{"\r\n\r\nX>" + QString(1999, 'm'), "\r\n\r\nY>b"}
                                                 << true;
    }
    void crLfTextRoundTrips()
    {
        QFETCH(QStringList, chunks);
        QFETCH(bool, anywhere);
        ChatHistoryView view;
        for (const QString &chunk : chunks)
            view.appendCrLfText(chunk);
        QCOMPARE(view.wordWrapMode() == QTextOption::WrapAnywhere, anywhere);
        view.selectAll();
        QCOMPARE(view.selectedCrLfText(), chunks.join(QString()));
        view.copy();
        QCOMPARE(QApplication::clipboard()->text(), chunks.join(QString()));
        view.setCrLfText("B>two\r\n\r\nC>three");
        QCOMPARE(view.toPlainText(), QString("B>two\n\nC>three"));
        QCOMPARE(view.wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
        view.setCrLfText(chunks.join(QString()));
        QCOMPARE(view.wordWrapMode() == QTextOption::WrapAnywhere, anywhere);
    }

    // Every key goes to the handler as it was pressed; the box acts on none,
    // so typing, deleting, pasting and cutting leave the text as it was.
    void keysGoToTheHandler_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("Ctrl+C") << QKeySequence("Ctrl+C");
        QTest::newRow("Ctrl+Shift+C") << QKeySequence("Ctrl+Shift+C");
        QTest::newRow("Escape") << QKeySequence("Esc");
        QTest::newRow("Alt+Enter") << QKeySequence("Alt+Return");
        QTest::newRow("letter") << QKeySequence("A");
        QTest::newRow("Backspace") << QKeySequence("Backspace");
        QTest::newRow("Delete") << QKeySequence("Del");
        QTest::newRow("paste") << QKeySequence("Ctrl+V");
        QTest::newRow("cut") << QKeySequence("Ctrl+X");
    }
    void keysGoToTheHandler()
    {
        QFETCH(QKeySequence, keys);
        ChatHistoryView view;
        QList<QKeyCombination> seen;
        view.setKeyHandler([&](int key, Qt::KeyboardModifiers modifiers) {
            seen << QKeyCombination(modifiers, Qt::Key(key));
        });
        QApplication::clipboard()->setText("pasted");
        view.appendCrLfText("\r\n\r\nA>one");
        view.show();
        view.selectAll();
        QTest::keySequence(&view, keys);
        QCOMPARE(seen.value(seen.size() - 1), keys[0]);
        QCOMPARE(view.toPlainText(), QString("\n\nA>one"));
    }

    // The keys that read move the caret and select; the handler still sees
    // them, and the text stays.
    void readingKeysMoveTheCaret()
    {
        ChatHistoryView view;
        int seen = 0;
        view.setKeyHandler([&](int key, Qt::KeyboardModifiers) {
            seen += key != Qt::Key_Shift && key != Qt::Key_Control;
        });
        view.setCrLfText("one\r\ntwo\r\nthree");
        view.show();
        view.moveCursor(QTextCursor::Start);
        QTest::keyClick(&view, Qt::Key_Down);
        QTest::keyClick(&view, Qt::Key_End, Qt::ShiftModifier);
        QCOMPARE(view.selectedCrLfText(), QString("two"));
        QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(view.textCursor().position(), view.document()->characterCount() - 1);
        QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(view.selectedCrLfText(), QString("one\r\ntwo\r\nthree"));
        QTest::keyClick(&view, Qt::Key_A, Qt::ShiftModifier); // typing is not reading
        QCOMPARE(view.toPlainText(), QString("one\ntwo\nthree"));
        QCOMPARE(seen, 5);
    }
};

QTEST_MAIN(TestChatHistoryView)
#include "tst_chathistoryview.moc"
