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
    void designColours();
    void repaintsOnlyOnChange();
    void ledRepaintsOnlyOnChange();
};

void TestLampBar::designColours()
{
    LampBar bar;
    const QImage image = bar.grab().toImage();
    for (int i = 1; i <= LampBar::LampCount; ++i) {
        const QColor expected = i <= 60 ? QColor(0, 255, 0) : i <= 75 ? QColor(255, 255, 0) : QColor(255, 0, 0);
        QCOMPARE(bar.colour(i), expected);
        QCOMPARE(image.pixelColor(lampCentre(i)), expected);
    }
    // Grey borders between the lamps and around the bar.
    const QColor grey(128, 128, 128);
    for (const QPoint &border : {QPoint(0, 8), QPoint(4, 8), QPoint(30, 0), QPoint(image.width() - 1, 8)})
        QCOMPARE(image.pixelColor(border), grey);
}

void TestLampBar::repaintsOnlyOnChange()
{
    LampBar bar;
    QVERIFY(showSettled(&bar));
    PaintCounter paints(&bar);
    std::array<QColor, LampBar::LampCount + 1> colours;
    for (int i = 1; i <= LampBar::LampCount; ++i)
        colours[i] = bar.colour(i);

    bar.setColours(colours);
    QTest::qWait(50);
    QCOMPARE(paints.count, 0);

    colours[45] = colours[46] = QColor(192, 192, 192);
    bar.setColours(colours);
    bar.setColours(colours);
    QTRY_COMPARE(paints.count, 1);
    QTest::qWait(50);
    QCOMPARE(paints.count, 1);
    QCOMPARE(bar.colour(46), QColor(192, 192, 192));
}

void TestLampBar::ledRepaintsOnlyOnChange()
{
    LedShape led;
    led.resize(Twips::rect(0, 0, 255, 375).size());
    QVERIFY(showSettled(&led));
    PaintCounter paints(&led);

    led.setFillColour(QColor(128, 128, 128)); // the design colour
    QTest::qWait(50);
    QCOMPARE(paints.count, 0);

    led.setFillColour(QColor(255, 0, 0));
    QTRY_COMPARE(paints.count, 1);
    const QImage image = led.grab().toImage();
    QCOMPARE(image.pixelColor(led.width() / 2, led.height() / 2), QColor(255, 0, 0));
    QVERIFY(image.pixelColor(led.width() / 2, 1) != QColor(255, 0, 0)); // a circle, not the whole box
}

QTEST_MAIN(TestLampBar)
#include "tst_lampbar.moc"
