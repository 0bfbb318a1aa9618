#include "desktop/JapaneseFont.h"
#include "desktop/Twips.h"
#include "ui/ChatLayout.h"
#include "ui/widgets/ChatHistoryView.h"

#include "ui/MainWindow.h"
#include "ui/MainWindowUi.h"
#include "ui/widgets/LampBar.h"
#include "ui/widgets/StateLamp.h"
#include "ui/widgets/StatusPanel.h"
#include "ui/widgets/ScreenReaderNotice.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// Twips as the window turns them into pixels: edge by edge, so controls that
// meet in twips meet on screen.
static QRect edges(double left, double top, double width, double height)
{
    return {QPoint(Twips::toPixels(left), Twips::toPixels(top)),
            QPoint(Twips::toPixels(left + width) - 1, Twips::toPixels(top + height) - 1)};
}

static QString name(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { JapaneseFont::installSubstitutes(); }

    // The designed places: every control inside the client area, none over
    // another, each row on one line, left to right in the order of the tab
    // key; labels fed from the network never take markup.
    void controlsInTheirRows()
    {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QWidget *client = w.ui().central;
        const MainWindowUi &ui = w.ui();
        const QList<QWidget *> rows[] = {
            {ui.stateLamp, ui.count, ui.connectedCall, ui.status, ui.day},
            {ui.dateStamp, ui.timeStamp, ui.log, ui.clear, ui.busy, ui.logOpen},
            {ui.input, ui.send}};
        QList<QWidget *> all{ui.lampBar, ui.history};
        for (const QList<QWidget *> &row : rows) {
            for (int i = 1; i < row.size(); ++i) {
                QCOMPARE(row[i]->y(), row[0]->y());
                QCOMPARE(row[i]->height(), row[0]->height());
                QVERIFY(row[i]->x() >= row[i - 1]->geometry().right());
            }
            all += row;
        }
        for (const QWidget *control : all) {
            QVERIFY2(client->rect().contains(control->geometry()), qPrintable(control->objectName()));
            for (const QWidget *other : all)
                QVERIFY2(control == other || !control->geometry().intersects(other->geometry()),
                         qPrintable(control->objectName() + " over " + other->objectName()));
        }
        for (const QLabel *label : w.findChildren<QLabel *>())
            QCOMPARE(label->textFormat(), Qt::PlainText);
    }

    // For assistive technology every control that takes the focus has a
    // name; the top row is the status bar and reads as the timer goes; the
    // lamp bar is a progress bar of lamps lit; the notice speaks.
    void accessibleTree()
    {
        MainWindow w;
        MainWindowUi &ui = w.ui();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (QWidget *control : w.findChildren<QWidget *>()) {
            if (control->isVisible() && control->focusPolicy() != Qt::NoFocus)
                QVERIFY2(!name(control).isEmpty(), qPrintable(control->objectName()));
        }
        ui.setCountText("00:02:57");
        ui.setStateLamp(LampState::Transmitting);
        ui.setStatusText("On Air");
        ui.setConnectedCall("JA1XYZ");
        ui.setDayText("Sun");
        QAccessibleInterface *panel = QAccessible::queryAccessibleInterface(ui.statusPanel);
        QCOMPARE(panel->role(), QAccessible::StatusBar);
        QStringList read;
        for (int i = 0; i < panel->childCount(); ++i)
            read << panel->child(i)->text(QAccessible::Name);
        QCOMPARE(read, (QStringList{"Transmitting", "Time left 00:02:57", "Connected to JA1XYZ", "On Air", "Sunday"}));

        QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(ui.lampBar);
        QCOMPARE(bar->role(), QAccessible::ProgressBar);
        QCOMPARE(bar->valueInterface()->currentValue().toInt(), 0);
        ui.setLampLevel(30);
        QCOMPARE(bar->valueInterface()->currentValue().toInt(), 30);
        QCOMPARE(bar->valueInterface()->maximumValue().toInt(), 90);
        QCOMPARE(bar->text(QAccessible::Value), QString("30 of 90 lamps"));

        // Minimised, the window is named by the count its caption shows.
        w.showMinimized();
        QTRY_VERIFY(w.isMinimized());
        ui.setCaption("00:02:57");
        QCOMPARE(name(&w), QString("00:02:57"));
        w.showNormal();

        ui.announce("Over");
        QAccessibleInterface *notice = QAccessible::queryAccessibleInterface(ui.notice);
        QCOMPARE(notice->role(), QAccessible::Notification);
        QCOMPARE(notice->text(QAccessible::Name), QString("Over"));
    }

    // The history, the input line and Send follow the window's outer size
    // (twips), which springs back to 5640 x 3000 when made smaller.
    void chatFollowsTheWindow_data()
    {
        QTest::addColumn<QSizeF>("requested");
        QTest::addColumn<QSizeF>("outer");
        QTest::newRow("design") << QSizeF(5640, 8460) << QSizeF(5640, 8460);
        QTest::newRow("larger") << QSizeF(9000, 9990) << QSizeF(9000, 9990);
        QTest::newRow("minimum") << QSizeF(5640, 3000) << QSizeF(5640, 3000);
        QTest::newRow("narrower") << QSizeF(3000, 6000) << QSizeF(5640, 6000);
        QTest::newRow("too small") << QSizeF(1500, 1500) << QSizeF(5640, 3000);
    }
    void chatFollowsTheWindow()
    {
        QFETCH(QSizeF, requested);
        QFETCH(QSizeF, outer);
        MainWindow w;
        const QWidget *client = w.ui().central;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.resize(centralWidthPx(requested.width()),
                 w.height() - client->height() + centralHeightPx(requested.height()));
        QTRY_COMPARE(QSizeF(outerWidthTwips(client->width()), outerHeightTwips(client->height())), outer);

        const double W = outer.width(), H = outer.height();
        QCOMPARE(w.ui().history->geometry(), edges(20, 1320, W - 245, H - 2505));
        QCOMPARE(w.ui().input->geometry(), edges(20, H - 1185, W - 800, 360));
        QCOMPARE(w.ui().send->geometry(), edges(W - 780, H - 1185, 555, 360));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
