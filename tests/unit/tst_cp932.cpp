#include "encoding/Cp932.h"

#include <QtTest>

namespace {

struct Pair
{
    QString kind; // "both", or a one-way mapping: "encode", "decode"
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

class TestCp932 : public QObject
{
    Q_OBJECT

private slots:
    // The table's pairs, then what the code page cannot hold ("?" when
    // encoding, U+FFFD when decoding), each within the text around it.
    void convert_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        const QList<Pair> pairs = loadPairs();
        QVERIFY(pairs.size() > 150);
        for (const Pair &p : pairs)
            QTest::addRow("%s %s", qPrintable(p.kind), p.bytes.toHex().constData()) << p.kind << p.bytes << p.text;

        const QString emoji = QString::fromUcs4(U"\U0001F600", 1);
        const QString kana(1000, QChar(0x3042));
        const QByteArray kanaBytes = QByteArray("\x82\xa0").repeated(1000);
        QTest::newRow("emoji is one character") << "encode" << QByteArray("a?b") << "a" + emoji + "b";
        QTest::newRow("lone high surrogate") << "encode" << QByteArray("a?b") << QString::fromUtf16(u"a\xD800" "b");
        QTest::newRow("lone low surrogate") << "encode" << QByteArray("?") << QString::fromUtf16(u"\xDC00");
        QTest::newRow("high surrogate at end") << "encode" << QByteArray("x?") << QString::fromUtf16(u"x\xD83D");
        QTest::newRow("latin letter") << "encode" << QByteArray("caf?") << QString::fromUtf16(u"caf\u00E9");
        QTest::newRow("several inside long text") << "encode" << kanaBytes + "?" + kanaBytes + "??" + kanaBytes
                                                  << kana + emoji + kana + QString::fromUtf16(u"\u00E9\u00E9") + kana;
        QTest::newRow("empty") << "both" << QByteArray() << QString();
        QTest::newRow("a megabyte") << "both" << kanaBytes.repeated(512) << kana.repeated(512);

        const QString bad(QChar(0xFFFD));
        QTest::newRow("truncated pair at end") << "decode" << QByteArray("a\x82") << "a" + bad;
        QTest::newRow("lead before line end") << "decode" << QByteArray("\x82\r\n") << bad + "\r\n";
        QTest::newRow("lead before blank") << "decode" << QByteArray("\x81 x") << bad + " x";
        QTest::newRow("unassigned pair") << "decode" << QByteArray("\x85\x40") << bad + "@";
        QTest::newRow("0x80 is U+0080, as on Windows") << "both" << QByteArray("a\x80") << QString::fromUtf16(u"a\u0080");
        QTest::newRow("valid after invalid") << "decode" << QByteArray("\x81\x7f\x82\xa0") << bad + QChar(0x7f) + QChar(0x3042);
        QTest::newRow("NUL kept") << "both" << QByteArray("a\0b", 3) << QString::fromUtf16(u"a\0b", 3);
    }
    void convert()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        if (kind != "encode")
            QCOMPARE(Cp932::decode(bytes), text);
        if (kind != "decode")
            QCOMPARE(Cp932::encode(text), bytes);
    }

};

QTEST_APPLESS_MAIN(TestCp932)
#include "tst_cp932.moc"
