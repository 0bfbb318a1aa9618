#include "encoding/Cp932.h"
#include "encoding/Cp932Escape.h"

#include <QtTest>

class TestCp932Escape : public QObject
{
    Q_OBJECT

private slots:
    // Written as the file holds it; every path reads back whole.
    void pathEscape_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("written");
        QTest::newRow("code page path unchanged") << u"C:\\ＥｃｈｏＬｉｎｋ\\ログ & 1%\\"_qs << u"C:\\ＥｃｈｏＬｉｎｋ\\ログ & 1%\\"_qs;
        QTest::newRow("latin letters") << u"/home/tü/Téléchargements/"_qs << u"/home/t&#xFC;/T&#xE9;l&#xE9;chargements/"_qs;
        QTest::newRow("yen would turn into a backslash") << u"a¥b"_qs << u"a&#xA5;b"_qs;
        QTest::newRow("emoji is one reference") << QString::fromUcs4(U"/x😀/", 4) << u"/x&#x1F600;/"_qs;
        QTest::newRow("line breaks and tab") << u"/a\nb\r\tc/"_qs << u"/a&#xA;b&#xD;&#x9;c/"_qs;
        QTest::newRow("lone surrogate") << QString::fromUtf16(u"/\xD800/") << u"/&#xD800;/"_qs;
        QTest::newRow("literal reference kept literal") << u"/a&#x41;/&#/&"_qs << u"/a&#x26;#x41;/&#x26;#/&"_qs;
    }
    void pathEscape()
    {
        QFETCH(QString, path);
        QFETCH(QString, written);
        QCOMPARE(Cp932Escape::escapedPath(path), written);
        QCOMPARE(Cp932Escape::unescaped(Cp932::decode(Cp932::encode(written))), path);
    }

    // Text the program did not escape reads as it is, malformed references too.
    void unescapeLeavesPlainText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("no digits") << u"&#x;"_qs;
        QTest::newRow("no semicolon") << u"&#x41"_qs;
        QTest::newRow("not hex") << u"&#xZZ;"_qs;
        QTest::newRow("beyond Unicode") << u"&#x110000;"_qs;
        QTest::newRow("too many digits") << u"&#x0000041;"_qs;
        QTest::newRow("decimal form") << u"&#65;"_qs;
    }
    void unescapeLeavesPlainText()
    {
        QFETCH(QString, text);
        QCOMPARE(Cp932Escape::unescaped(text), text);
    }
};

QTEST_APPLESS_MAIN(TestCp932Escape)
#include "tst_cp932escape.moc"
