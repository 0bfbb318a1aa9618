#include "ui/widgets/ChatHistoryView.h"
#include "desktop/JapaneseFont.h"
#include "desktop/Twips.h"
#include "ui/ChatLayout.h"

#include "support/TestServices.h"

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

class TestMainWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { JapaneseFont::installSubstitutes(); }

    void controlsAtTheirPlaces()
    {
        TestServices t;
        MainWindow w(t.services());
        const QList<std::pair<const char *, QRectF>> places{
            {"stateLamp", {60, 120, 255, 375}},    {"count", {360, 120, 1395, 375}},
            {"connectedCall", {1750, 120, 1750, 375}}, {"status", {3510, 120, 1330, 375}},
            {"day", {4850, 120, 620, 375}},        {"lampBar", {60, 600, 5415, 255}},
            {"dateStamp", {120, 960, 795, 325}},   {"timeStamp", {960, 960, 795, 325}},
            {"log", {1800, 960, 795, 325}},        {"clear", {2640, 960, 795, 325}},
            {"busy", {3480, 960, 795, 325}},       {"logOpen", {4500, 960, 915, 325}}};
        for (const auto &[name, r] : places)
            QCOMPARE(w.findChild<QWidget *>(name)->geometry(), Twips::rect(r.x(), r.y(), r.width(), r.height()));
        // Callsigns arrive from the network: no label may take them as markup.
        for (const QLabel *label : w.findChildren<QLabel *>())
            QCOMPARE(label->textFormat(), Qt::PlainText);
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
        TestServices t;
        MainWindow w(t.services());
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

QTEST_MAIN(TestMainWindowLayout)
#include "tst_mainwindow_layout.moc"
