#include "platform/Int16.h"
#include "platform/NumberText.h"
#include "platform/Rounding.h"
#include "platform/VbError.h"

#include <QtTest>

class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    // op: 0 add, 1 sub, 2 mul; expected -99999 means overflow
    void int16Arithmetic_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("expected");
        QTest::newRow("32766+1") << 0 << 32766 << 1 << 32767;
        QTest::newRow("32767+1") << 0 << 32767 << 1 << -99999;
        QTest::newRow("-32768-1") << 1 << -32768 << 1 << -99999;
        QTest::newRow("-32767-1") << 1 << -32767 << 1 << -32768;
        QTest::newRow("9*3600") << 2 << 9 << 3600 << 32400;
        QTest::newRow("10*3600") << 2 << 10 << 3600 << -99999;
        QTest::newRow("-9*3600") << 2 << -9 << 3600 << -32400;
    }
    void int16Arithmetic()
    {
        QFETCH(int, op);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, expected);
        auto run = [&] {
            const qint16 x = qint16(a), y = qint16(b);
            return op == 0 ? Int16::add(x, y) : op == 1 ? Int16::sub(x, y) : Int16::mul(x, y);
        };
        if (expected == -99999)
            QVERIFY_THROWS_EXCEPTION(OverflowError, run());
        else
            QCOMPARE(int(run()), expected);
    }

    void totalSeconds_data()
    {
        QTest::addColumn<int>("hh");
        QTest::addColumn<int>("mm");
        QTest::addColumn<int>("ss");
        QTest::addColumn<int>("expected"); // -1: overflow
        QTest::newRow("00:03:00") << 0 << 3 << 0 << 180;
        QTest::newRow("09:06:07") << 9 << 6 << 7 << 32767;
        QTest::newRow("09:06:08") << 9 << 6 << 8 << -1;
        QTest::newRow("09:59:59") << 9 << 59 << 59 << -1;
        QTest::newRow("10:00:00") << 10 << 0 << 0 << -1;
        QTest::newRow("99:00:00") << 99 << 0 << 0 << -1;
    }
    void totalSeconds()
    {
        QFETCH(int, hh);
        QFETCH(int, mm);
        QFETCH(int, ss);
        QFETCH(int, expected);
        if (expected < 0)
            QVERIFY_THROWS_EXCEPTION(OverflowError, Int16::totalSeconds(qint16(hh), qint16(mm), qint16(ss)));
        else
            QCOMPARE(Int16::totalSeconds(qint16(hh), qint16(mm), qint16(ss)), qint32(expected));
    }

    void halfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        QTest::newRow("9.5") << 9.5 << 10.0;
        QTest::newRow("8.5") << 8.5 << 8.0;
        QTest::newRow("-2.5") << -2.5 << -2.0;
        QTest::newRow("-3.5") << -3.5 << -4.0;
        QTest::newRow("0.5") << 0.5 << 0.0;
        QTest::newRow("-0.5 (zone width 90/180-1)") << -0.5 << 0.0;
        QTest::newRow("2.4999") << 2.4999 << 2.0;
        QTest::newRow("2.5001") << 2.5001 << 3.0;
    }
    void halfEven()
    {
        QFETCH(double, value);
        QFETCH(double, expected);
        QCOMPARE(Rounding::halfEven(value), expected);
    }

    // expected: a number, or "mismatch" / "overflow"
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("wide");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "9" << false << "9";
        QTest::newRow("blanks") << "  72 " << false << "72";
        QTest::newRow("tab") << "\t5" << false << "5";
        QTest::newRow("plus") << "+5" << false << "5";
        QTest::newRow("minus") << "-300" << false << "-300";
        QTest::newRow("fraction up") << "9.5" << false << "10";
        QTest::newRow("fraction even") << "8.5" << false << "8";
        QTest::newRow("leading point") << ".6" << false << "1";
        QTest::newRow("trailing point") << "7." << false << "7";
        QTest::newRow("two digits of a time") << "03" << false << "3";
        QTest::newRow("empty") << "" << false << "mismatch";
        QTest::newRow("blank") << "  " << false << "mismatch";
        QTest::newRow("sign only") << "-" << false << "mismatch";
        QTest::newRow("letters") << "yes" << false << "mismatch";
        QTest::newRow("digit and colon") << "3:" << false << "mismatch";
        QTest::newRow("inner blank") << "1 2" << false << "mismatch";
        QTest::newRow("two points") << "1.2.3" << false << "mismatch";
        QTest::newRow("exponent") << "1e3" << false << "mismatch";
        QTest::newRow("fullwidth digit") << QString::fromUtf8("\xef\xbc\x95") << false << "mismatch";
        QTest::newRow("16-bit max") << "32767" << false << "32767";
        QTest::newRow("16-bit max rounded up") << "32767.5" << false << "overflow";
        QTest::newRow("16-bit over") << "32768" << false << "overflow";
        QTest::newRow("16-bit min") << "-32768" << false << "-32768";
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

    void position_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("100") << 100.0 << " 100";
        QTest::newRow("-300") << -300.0 << "-300";
        QTest::newRow("0") << 0.0 << " 0";
        QTest::newRow("-0") << -0.0 << " 0";
        QTest::newRow("fraction") << 1012.5 << " 1012.5";
        QTest::newRow("negative fraction") << -7.5 << "-7.5";
        QTest::newRow("8460") << 8460.0 << " 8460";
        QTest::newRow("eight digits stay plain") << 10000000.0 << " 10000000";
    }
    void position()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(NumberText::formatPosition(value), expected);
    }
};

QTEST_APPLESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
