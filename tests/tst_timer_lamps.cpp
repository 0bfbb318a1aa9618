#include "platform/VbColor.h"
#include "platform/VbError.h"
#include "timer/LampColours.h"

#include <QtTest>

class TstTimerLamps : public QObject
{
    Q_OBJECT

private slots:
    // The last lamp of the green, yellow and red runs (0: none); silver after.
    void runs_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<int>>("lastOfRuns");

        QTest::newRow("0, wait over") << 0 << QList<int>{0, 0, 0};
        QTest::newRow("-1, wait over with Standby 0") << -1 << QList<int>{0, 0, 0};
        QTest::newRow("45") << 45 << QList<int>{45, 0, 0};
        QTest::newRow("60") << 60 << QList<int>{59, 60, 0};
        QTest::newRow("80") << 80 << QList<int>{59, 74, 80};
        QTest::newRow("90, full bar") << 90 << QList<int>{59, 74, 90};
        QTest::newRow("91, beyond the bar") << 91 << QList<int>{};
        QTest::newRow("-2") << -2 << QList<int>{};
        QTest::newRow("-32768") << -32768 << QList<int>{};
    }
    void runs()
    {
        QFETCH(int, level);
        QFETCH(QList<int>, lastOfRuns);

        if (lastOfRuns.isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(SubscriptError, LampColours::forLevel(qint16(level)));
            return;
        }
        const LampColours::Table table = LampColours::forLevel(qint16(level));
        const quint32 runColours[] = {0x00FF00, 0x00FFFF, 0x0000FF};
        for (int lamp = 1; lamp <= LampColours::LampCount; ++lamp) {
            quint32 expected = 0xC0C0C0;
            for (int run = 2; run >= 0; --run) {
                if (lamp <= lastOfRuns[run])
                    expected = runColours[run];
            }
            QVERIFY2(table[std::size_t(lamp)] == fromBgr(expected), qPrintable(QString::number(lamp)));
        }
    }
};

QTEST_GUILESS_MAIN(TstTimerLamps)
#include "tst_timer_lamps.moc"
