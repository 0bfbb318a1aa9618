#include "timer/TickScheduler.h"

#include <QtTest>

class TstTimerTick : public QObject
{
    Q_OBJECT

private slots:
    void aimsAtMiddleOfNextSecond_data()
    {
        QTest::addColumn<int>("msIntoSecond");
        QTest::addColumn<int>("delay");

        QTest::newRow("on the second") << 0 << 1500;
        QTest::newRow("just before the target") << 495 << 1005;
        QTest::newRow("on target") << 500 << 1000;
        QTest::newRow("very late") << 999 << 501;
    }
    // A tick anywhere in a second is followed by one in the middle of the next.
    void aimsAtMiddleOfNextSecond()
    {
        QFETCH(int, msIntoSecond);
        QFETCH(int, delay);
        QCOMPARE(TickScheduler::msUntilNextTick(msIntoSecond), delay);
    }
};

QTEST_GUILESS_MAIN(TstTimerTick)
#include "tst_timer_tick.moc"
