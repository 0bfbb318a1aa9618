#include "timer/TickScheduler.h"

#include <QtTest>

class TestTickScheduler : public QObject
{
    Q_OBJECT

private slots:
    // A tick anywhere in a second is followed by one in the middle of the next.
    void aimsAtMiddleOfNextSecond()
    {
        const int msIntoSecond[] = {0, 499, 500, 999};
        const int delay[] = {1500, 1001, 1000, 501};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(TickScheduler::msUntilNextTick(msIntoSecond[i]), delay[i]);
    }
};

QTEST_GUILESS_MAIN(TestTickScheduler)
#include "tst_tickscheduler.moc"
