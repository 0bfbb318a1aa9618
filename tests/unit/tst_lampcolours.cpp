#include "compat/RunTimeError.h"
#include "ui/widgets/LampColours.h"

#include <QtTest>

class TestLampColours : public QObject
{
    Q_OBJECT

private slots:
    // Lamps 1..90: green to the level, yellow from 60 and red from 75 over
    // it, silver after it. A level beyond the bar has no table.
    void runs()
    {
        const QHash<QRgb, QChar> names{{0xFF00FF00, 'G'}, {0xFFFFFF00, 'Y'}, {0xFFFF0000, 'R'}, {0xFFC0C0C0, 'S'}};
        const auto lamps = [&](qint16 level) {
            const LampColours::Table table = LampColours::forLevel(level);
            QString out;
            for (int lamp = 1; lamp <= LampColours::LampCount; ++lamp)
                out += names.value(table[std::size_t(lamp)].rgba(), '?');
            return out;
        };
        const QString g(59, 'G'), y(15, 'Y');
        QCOMPARE(lamps(0) + lamps(-1), QString(180, 'S')); // the wait's end, with standby 5 and 0
        QCOMPARE(lamps(45), QString(45, 'G') + QString(45, 'S'));
        QCOMPARE(lamps(60), g + 'Y' + QString(30, 'S'));
        QCOMPARE(lamps(80), g + y + QString(6, 'R') + QString(10, 'S'));
        QCOMPARE(lamps(90), g + y + QString(16, 'R'));
        QVERIFY_THROWS_EXCEPTION(SubscriptError, LampColours::forLevel(91));
        QVERIFY_THROWS_EXCEPTION(SubscriptError, LampColours::forLevel(-2));
    }
};

QTEST_GUILESS_MAIN(TestLampColours)
#include "tst_lampcolours.moc"
