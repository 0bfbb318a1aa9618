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
        QTest::addColumn<QList<int>>("last");

        QTest::newRow("0, wait over") << 0 << QList<int>{0, 0, 0};
        QTest::newRow("-1, wait over with Standby 0") << -1 << QList<int>{0, 0, 0};
        QTest::newRow("45") << 45 << QList<int>{45, 0, 0};
        QTest::newRow("60") << 60 << QList<int>{59, 60, 0};
        QTest::newRow("80") << 80 << QList<int>{59, 74, 80};
        QTest::newRow("90, full bar") << 90 << QList<int>{59, 74, 90};
        QTest::newRow("91, beyond the bar") << 91 << QList<int>{};
        QTest::newRow("-2") << -2 << QList<int>{};
    }
    void runs()
    {
        QFETCH(int, level);
        QFETCH(QList<int>, last);

        if (last.isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(SubscriptError, LampColours::forLevel(qint16(level)));
            return;
        }
        const LampColours::Table table = LampColours::forLevel(qint16(level));
        for (int lamp = 1; lamp <= LampColours::LampCount; ++lamp) {
            const quint32 expected = lamp <= last[0] ? 0x00FF00
                                   : lamp <= last[1] ? 0x00FFFF
                                   : lamp <= last[2] ? 0x0000FF
                                                     : 0xC0C0C0;
            QVERIFY2(table[std::size_t(lamp)] == fromBgr(expected), qPrintable(QString::number(lamp)));
        }
    }
};

QTEST_GUILESS_MAIN(TstTimerLamps)
#include "tst_timer_lamps.moc"
