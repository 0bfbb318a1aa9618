#include "desktop/Twips.h"
#include "ui/widgets/LampBar.h"
#include "ui/widgets/StateLamp.h"

#include <QScreen>
#include <QtTest>

class TestLampBar : public QObject
{
    Q_OBJECT

private slots:
    void paintedLamps()
    {
        QWidget window;
        auto *bar = new LampBar(&window);
        auto *lamp = new StateLamp(&window);
        lamp->setGeometry(Twips::rect(60, 120, 255, 375));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // What the window shows: its backing store, not a fresh rendering, so
        // a change that is never repainted shows too.
        const auto shown = [&window] { return window.screen()->grabWindow(window.winId()).toImage(); };
        const auto lampCentre = [](int i) { // in the bar's own pixels
            return QPoint(Twips::toPixels(60.0 * i) - Twips::toPixels(60) + 2, Twips::toPixels(255) / 2);
        };
        const QImage design = shown().copy(bar->geometry());
        for (int i = 1; i <= LampBar::LampCount; ++i)
            QCOMPARE(design.pixelColor(lampCentre(i)), QColor(i <= 60 ? Qt::green : i <= 75 ? Qt::yellow : Qt::red));
        // Grey borders between the lamps and around the bar.
        for (const QPoint &border : {QPoint(0, 8), QPoint(4, 8), QPoint(30, 0), QPoint(design.width() - 1, 8)})
            QCOMPARE(design.pixelColor(border), QColor(128, 128, 128));

        bar->setLevel(45);
        lamp->setFillColour(Qt::red);
        const QPoint lampMiddle = lamp->geometry().center();
        QTRY_COMPARE(shown().pixelColor(lampMiddle), QColor(Qt::red));
        const QImage changed = shown().copy(bar->geometry());
        for (int i = 44; i <= 46; ++i)
            QCOMPARE(changed.pixelColor(lampCentre(i)), i == 46 ? QColor(192, 192, 192) : QColor(Qt::green));
        QCOMPARE(bar->litLamps(), 45);
        // A circle, not the whole box.
        QVERIFY(shown().pixelColor(lampMiddle.x(), lamp->y() + 1) != QColor(Qt::red));
    }
};

QTEST_MAIN(TestLampBar)
#include "tst_lampbar.moc"
