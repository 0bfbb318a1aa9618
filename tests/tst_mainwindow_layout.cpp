#include "ui/ChatLayout.h"
#include "ui/LampBar.h"
#include "ui/LedShape.h"
#include "ui/MainWindowUi.h"
#include "chat/ChatHistoryView.h"
#include "platform/JapaneseFont.h"
#include "platform/Twips.h"
#include "platform/VbError.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

class TestMainWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        JapaneseFont::installSubstitutes();
    }

    void init()
    {
        m_window = new QMainWindow;
        m_ui = MainWindowUi();
        m_ui.setupUi(m_window);
    }

    void cleanup()
    {
        delete m_window;
    }

    void resizeRule_data()
    {
        QTest::addColumn<double>("W");
        QTest::addColumn<double>("H");
        QTest::addColumn<float>("lChatWidth");
        QTest::addColumn<float>("lChatHeight");
        QTest::addColumn<float>("sInputTop");
        QTest::addColumn<float>("sInputWidth");
        QTest::addColumn<float>("sendLeft");

        QTest::newRow("minimum") << 5640.0 << 3000.0 << 5395.f << 495.f << 1815.f << 4840.f << 4860.f;
        QTest::newRow("design") << 5640.0 << 8460.0 << 5395.f << 5955.f << 7275.f << 4840.f << 4860.f;
        QTest::newRow("maximised") << 19320.0 << 15360.0 << 19075.f << 12855.f << 14175.f << 18520.f << 18540.f;
        const float w = 5640.1f; // differs from the double 5640.1
        QTest::newRow("single precision") << 5640.1 << 3000.0 << w - 245.f << 495.f << 1815.f << w - 800.f
                                          << 20.f + (w - 800.f);
    }
    void resizeRule()
    {
        QFETCH(double, W);
        QFETCH(double, H);
        QFETCH(float, lChatWidth);
        QFETCH(float, lChatHeight);
        QFETCH(float, sInputTop);
        QFETCH(float, sInputWidth);
        QFETCH(float, sendLeft);

        const ChatGeometry g = chatGeometry(W, H);
        QCOMPARE(g.lChatWidth, double(lChatWidth));
        QCOMPARE(g.lChatHeight, double(lChatHeight));
        QCOMPARE(g.sInputTop, double(sInputTop));
        QCOMPARE(g.sInputWidth, double(sInputWidth));
        QCOMPARE(g.bSendTop, double(sInputTop));
        QCOMPARE(g.bSendLeft, double(sendLeft));
    }

    void outerSizeMapping()
    {
        // The design client area is the design outer size; the window opens at it.
        QCOMPARE(m_window->centralWidget(), m_ui.central);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
        QCOMPARE(outerWidthTwips(m_ui.central->width()), 5640.0);
        QCOMPARE(outerHeightTwips(m_ui.central->height()), 8460.0);
        QCOMPARE(centralWidthPx(MinOuterWidth), 368);
        QCOMPARE(centralHeightPx(MinOuterHeight), 154);
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

    void designControls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRectF>("twips");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");

        QTest::newRow("monLED") << "monLED" << QRectF(60, 120, 255, 375) << "" << 12.0 << true;
        QTest::newRow("txtCount") << "txtCount" << QRectF(360, 120, 1395, 375) << "00:00:00" << 14.25 << true;
        QTest::newRow("txtDayof") << "txtDayof" << QRectF(4850, 120, 620, 375) << "" << 11.25 << true;
        QTest::newRow("Shape1") << "Shape1" << QRectF(60, 600, 5415, 255) << "" << 12.0 << true;
        QTest::newRow("chkDate") << "chkDate" << QRectF(120, 960, 795, 325) << "Date" << 9.0 << false;
        QTest::newRow("btnView") << "btnView" << QRectF(4500, 960, 915, 325) << "Log Open" << 9.0 << false;
        QTest::newRow("lChat") << "lChat" << QRectF(20, 1320, 5415, 5895) << "" << 9.0 << false;
        QTest::newRow("sInput") << "sInput" << QRectF(20, 7320, 4755, 360) << "" << 12.0 << false;
        QTest::newRow("B_Send") << "B_Send" << QRectF(4860, 7320, 555, 360) << "Send" << 9.0 << false;
    }
    void designControls()
    {
        QFETCH(QString, name);
        QFETCH(QRectF, twips);
        QFETCH(QString, caption);
        QFETCH(double, points);
        QFETCH(bool, bold);

        auto *control = m_ui.central->findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->parentWidget(), m_ui.central);
        QCOMPARE(control->geometry(), Twips::rect(twips.x(), twips.y(), twips.width(), twips.height()));
        QCOMPARE(control->font().family(), JapaneseFont::family());
        QCOMPARE(control->font().pointSizeF(), points);
        QCOMPARE(control->font().bold(), bold);
        QString text = control->property("text").toString();
        if (auto *chat = qobject_cast<QPlainTextEdit *>(control))
            text = chat->toPlainText();
        QCOMPARE(text, caption);
        if (qobject_cast<QCheckBox *>(control))
            QVERIFY(control->sizeHint().width() <= control->width()); // caption not clipped
    }

    void statusRowColours()
    {
        // Handlers recolour these through the palette, so the design colours must live there.
        for (QLabel *label : {m_ui.txtCount, m_ui.sConCall, m_ui.Mesg, m_ui.txtDayof}) {
            QVERIFY(label->autoFillBackground());
            QCOMPARE(label->palette().color(QPalette::Window), QColor(224, 224, 224));
        }
        QCOMPARE(m_ui.Mesg->palette().color(QPalette::WindowText), QColor(192, 192, 0));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("VorlaneMonitor"));
        QVERIFY(!m_window->windowIcon().isNull());
    }

    void menu()
    {
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
