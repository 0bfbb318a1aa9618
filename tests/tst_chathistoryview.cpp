#include "chat/ChatHistoryView.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QtTest>

class TestChatHistoryView : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_view = std::make_unique<ChatHistoryView>();
        m_keyDowns.clear();
        m_keyPresses = 0;
        m_view->keyDown = [this](int code, int shift) {
            m_keyDowns << qMakePair(code, shift);
            return m_keyDownResult;
        };
        m_view->keyPress = [this](int) { ++m_keyPresses; return 0; };
        m_view->show();
    }

    // Chunks as the panel hands them over; selecting everything, or copying it
    // from the context menu, gives back their CR LF text, whatever the chat
    // lines hold. A whole-text replace drops the wrapping anywhere.
    void crLfTextRoundTrips_data()
    {
        QTest::addColumn<QStringList>("chunks");
        QTest::addColumn<bool>("anywhere");
        QTest::newRow("entries") << QStringList{"\r\n\r\n[21:05:09]A>one", "\r\n\r\nB>two"} << false;
        QTest::newRow("nul, controls, lone surrogates")
            << QStringList{"\r\n\r\n" + QString::fromUtf16(u"X>a\0b\x01\x1b\xDC00" u"a\xD800", 10)} << false;
        QTest::newRow("markup") << QStringList{"\r\n\r\nX><script>&amp;"} << false;
        QTest::newRow("one megabyte") << QStringList{"\r\n\r\nX>" + QString(1 << 20, 'm'), "\r\n\r\nY>next"} << true;
        QTest::newRow("one megabyte of long words")
            << QStringList{"\r\n\r\nX>" + QString(QString(1998, 'm') + ' ').repeated(512)} << false;
    }
    void crLfTextRoundTrips()
    {
        QFETCH(QStringList, chunks);
        QFETCH(bool, anywhere);
        for (const QString &chunk : chunks) {
            m_view->appendCrLfText(chunk);
            QCoreApplication::processEvents();
        }
        QCOMPARE(m_view->wordWrapMode(), anywhere ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere);
        m_view->selectAll();
        QCOMPARE(m_view->selectedCrLfText(), chunks.join(QString()));
        m_view->copy();
        QCOMPARE(QApplication::clipboard()->text(), chunks.join(QString()));
        m_view->setCrLfText("B>two\r\n\r\nC>three");
        QCOMPARE(m_view->toPlainText(), QString("B>two\n\nC>three"));
        QCOMPARE(m_view->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    }

    void moveCaretToEndScrolls()
    {
        for (int i = 0; i < 100; ++i)
            m_view->appendCrLfText("\r\n\r\nA>one");
        m_view->moveCaretToEnd();
        QCoreApplication::processEvents();
        QVERIFY(m_view->verticalScrollBar()->value() > 0);
        QVERIFY(m_view->viewport()->rect().contains(m_view->cursorRect()));
    }

    // The handlers see Windows key codes and shift states; the character goes
    // on only when keyDown keeps the key, and the text never changes.
    void keysGoToTheHandlers_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<int>("shift");
        QTest::addColumn<int>("keyDownResult");
        QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier) << 67 << 2 << 67;
        QTest::newRow("Ctrl+Shift+C") << int(Qt::Key_C) << int(Qt::ControlModifier | Qt::ShiftModifier) << 67 << 3 << 0;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << 27 << 0 << 27;
        QTest::newRow("letter discarded") << int(Qt::Key_A) << 0 << 65 << 0 << 0;
    }
    void keysGoToTheHandlers()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, keyCode);
        QFETCH(int, shift);
        QFETCH(int, keyDownResult);
        m_view->appendCrLfText("\r\n\r\nA>one");
        m_keyDownResult = keyDownResult;
        QTest::keyClick(m_view.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(!m_keyDowns.isEmpty());
        QCOMPARE(m_keyDowns.last(), qMakePair(keyCode, shift));
        QCOMPARE(m_keyPresses, keyDownResult ? 1 : 0);
        QCOMPARE(m_view->toPlainText(), QString("\n\nA>one"));
    }

private:
    std::unique_ptr<ChatHistoryView> m_view;
    QList<QPair<int, int>> m_keyDowns;
    int m_keyPresses = 0;
    int m_keyDownResult = 0;
};

QTEST_MAIN(TestChatHistoryView)
#include "tst_chathistoryview.moc"
