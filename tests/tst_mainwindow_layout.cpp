#include "ui/ChatLayout.h"
#include "ui/MainWindowUi.h"
#include "chat/ChatHistoryView.h"
#include "platform/JapaneseFont.h"
#include "platform/VbError.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

class TestMainWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { JapaneseFont::installSubstitutes(); }

    void init()
    {
        m_window = new QMainWindow;
        m_ui = MainWindowUi();
        m_ui.setupUi(m_window);
    }

    void cleanup() { delete m_window; }

    // lChat width and height, sInput top and width, B_Send top and left.
    void resizeRule_data()
    {
        QTest::addColumn<double>("W");
        QTest::addColumn<double>("H");
        QTest::addColumn<QList<double>>("placed");

        QTest::newRow("minimum") << 5640.0 << 3000.0 << QList<double>{5395, 495, 1815, 4840, 1815, 4860};
        QTest::newRow("design") << 5640.0 << 8460.0 << QList<double>{5395, 5955, 7275, 4840, 7275, 4860};
        QTest::newRow("maximised") << 19320.0 << 15360.0 << QList<double>{19075, 12855, 14175, 18520, 14175, 18540};
        const float w = 5640.1f; // differs from the double 5640.1
        QTest::newRow("single precision")
            << 5640.1 << 3000.0 << QList<double>{w - 245.f, 495, 1815, w - 800.f, 1815, 20.f + (w - 800.f)};
    }
    void resizeRule()
    {
        QFETCH(double, W);
        QFETCH(double, H);
        QFETCH(QList<double>, placed);
        const ChatGeometry g = chatGeometry(W, H);
        QCOMPARE((QList<double>{g.lChatWidth, g.lChatHeight, g.sInputTop, g.sInputWidth, g.bSendTop, g.bSendLeft}),
                 placed);
    }

    // The design client area is the design outer size; the window opens at it.
    void outerSizeMapping()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        QCOMPARE(outerWidthTwips(m_ui.central->width()), 5640.0);
        QCOMPARE(outerHeightTwips(m_ui.central->height()), 8460.0);
        QCOMPARE(outerWidthTwips(centralWidthPx(MinOuterWidth)), MinOuterWidth);
        QCOMPARE(outerHeightTwips(centralHeightPx(MinOuterHeight)), MinOuterHeight);
    }

    void appliedControlsMeet()
    {
        // The history ends where the input line starts, Send starts where the
        // input ends, and the right edges line up.
        for (const QSizeF &outer : {QSizeF(19320, 15360), QSizeF(7000, 8460), QSizeF(5640, 3000)}) {
            applyChatGeometry(m_ui, chatGeometry(outer.width(), outer.height()));
            QCOMPARE(m_ui.lChat->geometry().bottom() + 1, m_ui.sInput->y());
            QCOMPARE(m_ui.sInput->geometry().right() + 1, m_ui.B_Send->x());
            QCOMPARE(m_ui.lChat->geometry().right(), m_ui.B_Send->geometry().right());
            QCOMPARE(m_ui.B_Send->y(), m_ui.sInput->y());
        }
        // Last applied: the minimum size.
        QCOMPARE(m_ui.sInput->geometry(), QRect(1, 121, 323, 24));
        QCOMPARE(m_ui.lChat->geometry(), QRect(1, 88, 360, 33));
        QCOMPARE(m_ui.B_Send->geometry(), QRect(324, 121, 37, 24));
    }

    void refusedSizeMovesNothing()
    {
        const QRect chat = m_ui.lChat->geometry();
        const QRect input = m_ui.sInput->geometry();
        QVERIFY_THROWS_EXCEPTION(VbError, applyChatGeometry(m_ui, chatGeometry(5640, 2000)));
        QCOMPARE(m_ui.lChat->geometry(), chat);
        QCOMPARE(m_ui.sInput->geometry(), input);
    }

    void captionsAndFace()
    {
        const QList<QWidget *> captioned{m_ui.txtCount, m_ui.chkDate, m_ui.chkTime, m_ui.chkLog,
                                         m_ui.cmdClr,   m_ui.chkBusy, m_ui.btnView, m_ui.B_Send};
        QStringList texts;
        for (const QWidget *control : captioned)
            texts << control->property("text").toString();
        QCOMPARE(texts, (QStringList{"00:00:00", "Date", "Time", "Log", "Clear", "Busy", "Log Open", "Send"}));
        for (const QCheckBox *box : m_ui.central->findChildren<QCheckBox *>())
            QVERIFY2(box->sizeHint().width() <= box->width(), qPrintable(box->text())); // caption not clipped
        for (const QWidget *control : m_ui.central->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            QVERIFY2(control->font().family() == JapaneseFont::family(), qPrintable(control->objectName()));
    }

    void statusRowAndMenu()
    {
        // Handlers recolour these through the palette, so the design colours must live there.
        for (QLabel *label : {m_ui.txtCount, m_ui.sConCall, m_ui.Mesg, m_ui.txtDayof}) {
            QVERIFY(label->autoFillBackground());
            QCOMPARE(label->palette().color(QPalette::Window), QColor(224, 224, 224));
        }
        QCOMPARE(m_ui.Mesg->palette().color(QPalette::WindowText), QColor(192, 192, 0));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("VorlaneMonitor"));
        QVERIFY(!m_window->windowIcon().isNull());

        const QList<QAction *> bar = m_window->menuBar()->actions();
        QCOMPARE(bar, (QList<QAction *>{m_ui.mnuFile->menuAction(), m_ui.mnuAbout}));
        QCOMPARE(m_ui.mnuFile->actions(), (QList<QAction *>{m_ui.mnuOpt, m_ui.mnuTSet, m_ui.mnuBar, m_ui.mnuExit}));
        QStringList texts;
        for (const QAction *action : bar + m_ui.mnuFile->actions())
            texts << action->text();
        QCOMPARE(texts, (QStringList{"File(&F)", "About(&A)", "Option(&O)", "Timer(&T)", "", "Exit(&E)"}));
        QVERIFY(m_ui.mnuBar->isSeparator());
    }

    void tabOrderStartsAtInput()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        const QList<QWidget *> order{m_ui.sInput, m_ui.B_Send, m_ui.chkDate, m_ui.chkTime, m_ui.chkLog,
                                     m_ui.cmdClr, m_ui.chkBusy, m_ui.btnView, m_ui.lChat, m_ui.sInput};
        QCOMPARE(QApplication::focusWidget(), order.first());
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), order[i]);
        }
    }

private:
    QMainWindow *m_window = nullptr;
    MainWindowUi m_ui;
};

QTEST_MAIN(TestMainWindowLayout)
#include "tst_mainwindow_layout.moc"
