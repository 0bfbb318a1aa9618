#include "chat/CallsignSpeech.h"

#include "support/FakeClipboard.h"

#include <QtTest>

namespace {

// The readings of 1234567890 and AIUEO, spelled out by code point.
const QString digits = QString::fromUtf16(u"\u308F\u3093\u3064\u30FC\u3059\u308A\u30FC\u3075\u3049\u30FC\u3075\u3041"
                                          u"\u3044\u3046\u309B\u3057\u3063\u304F\u3059\u305B\u3076\u3093\u3048\u3044"
                                          u"\u3068\u306A\u3044\u3093\u305C\u308D");
const QString vowels = QString::fromUtf16(u"\u3048\u3044\u3042\u3044\u3086\u30FC\u3044\u30FC\u304A\u30FC");
const QString zero = digits.right(2), one = digits.left(2), a = vowels.left(2), stop = QString::fromUtf16(u"\u3002");
const QString link = QString::fromUtf16(u".\u308A\u3093\u304F");
const QString repeater = QString::fromUtf16(u".\u308A\u3074\u30FC\u305F");

} // namespace

class TestCallsignSpeech : public QObject
{
    Q_OBJECT

private slots:
    // A null spoken form: nothing is said and the clipboard keeps its text,
    // as it does whenever the clipboard cannot be written.
    void copySpokenForm_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("repeater") << "N0CALL-R>hello" << "N" + zero + "C" + a + "LL" + repeater + stop + "hello";
        QTest::newRow("leading >") << ">hello" << stop + "hello";
        QTest::newRow("further > kept") << "JA1>a>b>" << "J" + a + one + stop + "a>b>";
        QTest::newRow("lower case kept") << "ja1aeiou>x" << "ja" + one + "aeiou" + stop + "x";
        QTest::newRow("all digits, ten characters") << "1234567890>m" << digits + stop + "m";
        QTest::newRow("vowels, link") << "AIUEO-L>x" << vowels + link + stop + "x";
        QTest::newRow("link wins, cut at -L") << "W1-R-L>x" << "W" + one + "-R" + link + stop + "x";
        QTest::newRow("text after marker dropped") << "W1-R9>x" << "W" + one + repeater + stop + "x";
        QTest::newRow("ten before the cut") << "BCDFGHJK-L>x" << "BCDFGHJK" + link + stop + "x";
        QTest::newRow("no >") << "N0CALL hello" << QString();
        QTest::newRow("eleven characters") << "12345678901>m" << QString();
        QTest::newRow("eleven before the cut") << "BCDFGHJKM-L>x" << QString();
    }
    void copySpokenForm()
    {
        QFETCH(QString, line);
        QFETCH(QString, spoken);
        FakeClipboard clipboard, failing;
        failing.setFailing(true);
        CallsignSpeech::copySpokenForm(line, clipboard);
        CallsignSpeech::copySpokenForm(line, failing);
        QCOMPARE(clipboard.text(), spoken.isNull() ? QString("(untouched)") : spoken);
        QCOMPARE(failing.text(), QString("(untouched)"));
    }
};

QTEST_GUILESS_MAIN(TestCallsignSpeech)
#include "tst_callsignspeech.moc"
