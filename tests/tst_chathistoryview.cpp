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

    // The handlers see Windows codes (the last key after any modifier's own);
    // the character goes on only if keyDown keeps the key. The text stays.
    void keysGoToTheHandlers_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<int>("shift");
        QTest::addColumn<int>("kept");
        QTest::newRow("Ctrl+C") << QKeySequence("Ctrl+C") << 67 << 2 << 67;
        QTest::newRow("Ctrl+Shift+C") << QKeySequence("Ctrl+Shift+C") << 67 << 3 << 0;
        QTest::newRow("Escape") << QKeySequence("Esc") << 27 << 0 << 27;
        QTest::newRow("Alt+Enter") << QKeySequence("Alt+Return") << 13 << 4 << 13;
        QTest::newRow("letter discarded") << QKeySequence("A") << 65 << 0 << 0;
    }
    void keysGoToTheHandlers()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(int, keyCode);
        QFETCH(int, shift);
        QFETCH(int, kept);
        ChatHistoryView view;
        QList<QPair<int, int>> keyDowns;
        int keyPresses = 0;
        view.setKeyHandlers([&](int code, int state) { keyDowns << qMakePair(code, state); return kept; },
                            [&](int) { ++keyPresses; return 0; });
        view.appendCrLfText("\r\n\r\nA>one");
        view.show();
        QTest::keySequence(&view, keys);
        QCOMPARE(keyDowns.value(keyDowns.size() - 1), qMakePair(keyCode, shift));
        QCOMPARE(keyPresses, int(kept != 0));
        QCOMPARE(view.toPlainText(), QString("\n\nA>one"));
    }
};

QTEST_MAIN(TestChatHistoryView)
#include "tst_chathistoryview.moc"
