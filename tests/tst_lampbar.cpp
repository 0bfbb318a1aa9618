#include "ui/LampBar.h"
#include "ui/LedShape.h"
#include "platform/Twips.h"

#include <QtTest>

namespace {

class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

// The middle of lamp i in the bar's own pixels.
QPoint lampCentre(int i)
{
    return {Twips::toPixels(60.0 * i) - Twips::toPixels(60) + 2, Twips::toPixels(255) / 2};
}

bool showSettled(QWidget *w)
{
    w->show();
    const bool exposed = QTest::qWaitForWindowExposed(w);
    QCoreApplication::processEvents();
    return exposed;
}

} // namespace

class TestLampBar : public QObject
{
    Q_OBJECT

private slots:
    void designColours()
    {
        const QImage image = LampBar().grab().toImage();
        for (int i = 1; i <= LampBar::LampCount; ++i) {
            const QColor expected = i <= 60 ? QColor(0, 255, 0) : i <= 75 ? QColor(255, 255, 0) : QColor(255, 0, 0);
            QCOMPARE(image.pixelColor(lampCentre(i)), expected);
        }
        // Grey borders between the lamps and around the bar.
        for (const QPoint &border : {QPoint(0, 8), QPoint(4, 8), QPoint(30, 0), QPoint(image.width() - 1, 8)})
            QCOMPARE(image.pixelColor(border), QColor(128, 128, 128));
    }

    // The tick sets every lamp and the LED every second: only a change may repaint.
    void repaintsOnlyOnChange()
    {
        LampBar bar;
        LedShape led;
        led.resize(Twips::rect(0, 0, 255, 375).size());
        QVERIFY(showSettled(&bar) && showSettled(&led));
        PaintCounter barPaints(&bar), ledPaints(&led);
        std::array<QColor, LampBar::LampCount + 1> colours;
        for (int i = 1; i <= LampBar::LampCount; ++i)
            colours[i] = bar.colour(i);

        bar.setColours(colours);
        led.setFillColour(QColor(128, 128, 128)); // the design colour
        QTest::qWait(50);
        QCOMPARE(barPaints.count + ledPaints.count, 0);

        colours[45] = colours[46] = QColor(192, 192, 192);
        bar.setColours(colours);
        bar.setColours(colours);
        led.setFillColour(QColor(255, 0, 0));
        QTRY_COMPARE(barPaints.count + ledPaints.count, 2);
        QTest::qWait(50);
        QCOMPARE(barPaints.count, 1);
        QCOMPARE(ledPaints.count, 1);
        QCOMPARE(bar.grab().toImage().pixelColor(lampCentre(46)), QColor(192, 192, 192));
        const QImage image = led.grab().toImage();
        QCOMPARE(image.pixelColor(led.width() / 2, led.height() / 2), QColor(255, 0, 0));
        QVERIFY(image.pixelColor(led.width() / 2, 1) != QColor(255, 0, 0)); // a circle, not the whole box
    }
};

QTEST_MAIN(TestLampBar)
#include "tst_lampbar.moc"
