#include "platform/Cp932.h"

#include <QtTest>

class TestCp932 : public QObject
{
    Q_OBJECT

private slots:
    void pairs_data();
    void pairs();
    void unmappable_data();
    void unmappable();
    void invalid_data();
    void invalid();
    void megabyteRoundTrip();
};

namespace {

struct Pair
{
    QString kind;
    QByteArray bytes;
    QString text;
};

QList<Pair> loadPairs()
{
    QFile file(qEnvironmentVariable("VORLANE_TEST_DATA") + QStringLiteral("/cp932-pairs.txt"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cp932-pairs.txt not found");
    QList<Pair> pairs;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> f = line.split('\t');
        const char32_t code = f.at(2).mid(2).toUInt(nullptr, 16);
        pairs.append({QString::fromLatin1(f.at(0)), QByteArray::fromHex(f.at(1)), QString::fromUcs4(&code, 1)});
    }
    return pairs;
}

} // namespace

void TestCp932::pairs_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QList<Pair> pairs = loadPairs();
    QVERIFY(pairs.size() > 150);
    for (const Pair &p : pairs)
        QTest::addRow("%s %s", qPrintable(p.kind), p.bytes.toHex().constData()) << p.kind << p.bytes << p.text;
}

void TestCp932::pairs()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    if (kind != QLatin1String("encode"))
        QCOMPARE(Cp932::decode(bytes), text);
    if (kind != QLatin1String("decode"))
        QCOMPARE(Cp932::encode(text), bytes);
}

void TestCp932::unmappable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    const QString emoji = QString::fromUcs4(U"\U0001F600", 1);
    const QString kana(1000, QChar(0x3042));
    const QByteArray kanaBytes = QByteArray("\x82\xa0").repeated(1000);
    QTest::newRow("emoji is one character") << QStringLiteral("a") + emoji + QStringLiteral("b") << QByteArray("a?b");
    QTest::newRow("lone high surrogate") << QString::fromUtf16(u"a\xD800" "b") << QByteArray("a?b");
    QTest::newRow("lone low surrogate") << QString::fromUtf16(u"\xDC00") << QByteArray("?");
    QTest::newRow("high surrogate at end") << QString::fromUtf16(u"x\xD83D") << QByteArray("x?");
    QTest::newRow("latin letter") << QString::fromUtf16(u"caf\u00E9") << QByteArray("caf?");
    QTest::newRow("several inside long text")
        << kana + emoji + kana + QString::fromUtf16(u"\u00E9\u00E9") + kana
        << kanaBytes + "?" + kanaBytes + "??" + kanaBytes;
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestCp932::unmappable()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Cp932::encode(text), bytes);
}

void TestCp932::invalid_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QString bad(QChar(0xFFFD));
    QTest::newRow("truncated pair at end") << QByteArray("a\x82") << QStringLiteral("a") + bad;
    QTest::newRow("lead before line end") << QByteArray("\x82\r\n") << bad + QStringLiteral("\r\n");
    QTest::newRow("lead before blank") << QByteArray("\x81 x") << bad + QStringLiteral(" x");
    QTest::newRow("unassigned pair") << QByteArray("\x85\x40") << bad + QStringLiteral("@");
    QTest::newRow("bytes outside the table") << QByteArray("\x80\xa0\xfd\xfe\xff") << bad.repeated(5);
    QTest::newRow("valid after invalid") << QByteArray("\xff\x82\xa0") << bad + QString(QChar(0x3042));
    QTest::newRow("NUL kept") << QByteArray("a\0b", 3) << QString::fromUtf16(u"a\0b", 3);
}

void TestCp932::invalid()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(Cp932::decode(bytes), text);
}

void TestCp932::megabyteRoundTrip()
{
    QString sample;
    for (const Pair &p : loadPairs()) {
        if (p.kind == QLatin1String("both"))
            sample += p.text;
    }
    QString text;
    while (text.size() < 1024 * 1024)
        text += sample;
    const QByteArray bytes = Cp932::encode(text);
    QVERIFY(bytes.size() > 1024 * 1024);
    QCOMPARE(Cp932::decode(bytes), text);
}

QTEST_APPLESS_MAIN(TestCp932)
#include "tst_cp932.moc"
