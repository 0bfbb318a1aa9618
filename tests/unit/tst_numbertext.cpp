#include "compat/Int16.h"
#include "compat/NumberText.h"
#include "compat/RunTimeError.h"

#include <QtTest>

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    // 16-bit steps; "overflow" where the result leaves -32768..32767.
    void int16Arithmetic_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QList<int>>("args");
        QTest::addColumn<QString>("expected");
        QTest::newRow("32766+1") << "add" << QList<int>{32766, 1} << "32767";
        QTest::newRow("32767+1") << "add" << QList<int>{32767, 1} << "overflow";
        QTest::newRow("-32768-1") << "sub" << QList<int>{-32768, 1} << "overflow";
        QTest::newRow("-32767-1") << "sub" << QList<int>{-32767, 1} << "-32768";
        QTest::newRow("9*3600") << "mul" << QList<int>{9, 3600} << "32400";
        QTest::newRow("10*3600") << "mul" << QList<int>{10, 3600} << "overflow";
        QTest::newRow("-9*3600") << "mul" << QList<int>{-9, 3600} << "-32400";
        QTest::newRow("total 09:06:07") << "total" << QList<int>{9, 6, 7} << "32767";
        QTest::newRow("total 09:06:08") << "total" << QList<int>{9, 6, 8} << "overflow";
        QTest::newRow("total 10:00:00") << "total" << QList<int>{10, 0, 0} << "overflow";
    }
    void int16Arithmetic()
    {
        QFETCH(QString, op);
        QFETCH(QList<int>, args);
        QFETCH(QString, expected);
        auto run = [&]() -> qint32 {
            const qint16 a = qint16(args.value(0)), b = qint16(args.value(1)), c = qint16(args.value(2));
            if (op == "total")
                return Int16::totalSeconds(a, b, c);
            return op == "add" ? Int16::add(a, b) : op == "sub" ? Int16::sub(a, b) : Int16::mul(a, b);
        };
        if (expected == "overflow")
            QVERIFY_THROWS_EXCEPTION(OverflowError, run());
        else
            QCOMPARE(run(), expected.toInt());
    }

    // expected: a number, or "mismatch" / "overflow"
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("wide");
        QTest::addColumn<QString>("expected");
        // Halves go to the even neighbour; -0.5 is the lamp zone width 90/180-1.
        const QList<std::pair<QString, int>> int16s{
            {"9", 9}, {"  72 ", 72}, {"\t5", 5}, {"+5", 5}, {"-300", -300}, {"03", 3}, {"9.5", 10}, {"8.5", 8},
            {"-2.5", -2}, {"-3.5", -4}, {"0.5", 0}, {"-0.5", 0}, {"2.4999", 2}, {"2.5001", 3}, {".6", 1}, {"7.", 7},
            {"32767", 32767}, {"-32768", -32768}};
        for (const auto &[text, value] : int16s)
            QTest::addRow("'%s'", qPrintable(text)) << text << false << QString::number(value);
        for (const char *text : {"", "  ", "-", "yes", "3:", "1 2", "1.2.3", "1e3", "\xef\xbc\x95" /* fullwidth 5 */})
            QTest::addRow("'%s'", text) << QString::fromUtf8(text) << false << "mismatch";
        QTest::newRow("16-bit max rounded up") << "32767.5" << false << "overflow";
        QTest::newRow("16-bit over") << "32768" << false << "overflow";
        QTest::newRow("32-bit fits") << "5640000" << true << "5640000";
        QTest::newRow("32-bit over") << "2147483648" << true << "overflow";
        QTest::newRow("very long") << QString(400, QLatin1Char('9')) << true << "overflow";
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, wide);
        QFETCH(QString, expected);
        auto run = [&] { return wide ? qint64(NumberText::toInt32(text)) : qint64(NumberText::toInt16(text)); };
        if (expected == QLatin1String("mismatch"))
            QVERIFY_THROWS_EXCEPTION(TypeMismatchError, run());
        else if (expected == QLatin1String("overflow"))
            QVERIFY_THROWS_EXCEPTION(OverflowError, run());
        else
            QCOMPARE(run(), expected.toLongLong());
    }
};

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
