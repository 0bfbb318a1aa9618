#include "platform/Int16.h"
#include "settings/Module1.h"
#include "support/FakeClock.h"
#include "support/FakeEchoLinkSession.h"
#include "support/FakeSettingsWindow.h"
#include "support/RecordingBeeper.h"
#include "support/RecordingMessageBox.h"
#include "timer/BusyControl.h"
#include "timer/BusyView.h"
#include "timer/TimerView.h"
#include "timer/TransmissionTimer.h"

#include <QLocale>
#include <QtTest>

namespace {

QString bgr(const QColor &c)
{
    return QString::number((c.blue() << 16) | (c.green() << 8) | c.red(), 16).rightJustified(6, u'0');
}

// The main window as the timer and an idle busy control see it.
class RecordingView : public TimerView, public BusyView
{
public:
    void setMesgText(const QString &text) override { mesg = text; }
    void setMesgBackColour(const QColor &colour) override { mesgBack = colour; }
    void setMesgForeColour(const QColor &colour) override { mesgFore = colour; }
    void setMonLedColour(const QColor &colour) override { led = colour; }
    void setCountText(const QString &text) override { counts << text; }
    void setLampColours(const LampColours::Table &colours) override
    {
        lamps = colours;
        ++paints;
    }
    void setDayText(const QString &text) override { day = text; }
    void setDayForeColour(const QColor &colour) override { dayFore = colour; }
    void setCaption(const QString &text) override { caption = text; }
    void requestAttention() override { ++attention; }
    bool isMinimised() const override { return minimised; }
    bool isChkBusyChecked() const override { return false; }
    void setChkBusyChecked(bool) override {}
    void setChatBackgroundBusy(bool) override {}

    // "text/back/fore/led" with colours as 0xBBGGRR.
    QString mesgState() const { return mesg + u'/' + bgr(mesgBack) + u'/' + bgr(mesgFore) + u'/' + bgr(led); }
    QString count() const { return counts.value(counts.size() - 1); }

    QString mesg, day, caption;
    QColor mesgBack, mesgFore, led, dayFore;
    QStringList counts;
    LampColours::Table lamps{};
    int paints = 0;
    int attention = 0;
    bool minimised = false;
};

// The main window around the timer, as start-up leaves it.
struct Station
{
    Station() { setLimit(0, 3, 0); }

    void setLimit(qint16 hh, qint16 mm, qint16 ss)
    {
        Settings &s = module.settings;
        s.TimerHH = module.RemainHH = hh;
        s.TimerMM = module.RemainMM = mm;
        s.TimerSS = module.RemainSS = ss;
        module.TimerTotal = Int16::totalSeconds(hh, mm, ss);
    }
    void tickNextSecond(int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            clock.advanceMs(1000);
            timer.Timer1_Timer();
        }
    }

    FakeSettingsWindow window;
    RecordingMessageBox messages;
    Module1 module{window, messages, ProgramFolders{}};
    FakeClock clock{QDateTime(QDate(2006, 3, 14), QTime(21, 5, 9, 500))};
    FakeEchoLinkSession session;
    EchoLinkSession *echo = &session;
    RecordingBeeper beeper;
    RecordingView view;
    BusyControl busy{module, clock, SessionRef([this] { return echo; }), view};
    TransmissionTimer timer{module, clock, SessionRef([this] { return echo; }), beeper, view, busy,
                            QStringLiteral("VLN Ver.0.1.14 ")};
};

QString hms(int seconds)
{
    return QTime(0, 0).addSecs(seconds).toString(QStringLiteral("HH:mm:ss"));
}

} // namespace

class TstTimer : public QObject
{
    Q_OBJECT

private slots:
    void transmissionAndWait_data()
    {
        QTest::addColumn<int>("standby");
        QTest::newRow("default standby 5") << 5;
        QTest::newRow("standby 0 ends the wait at once") << 0;
    }
    void transmissionAndWait()
    {
        QFETCH(int, standby);
        Station st;
        st.module.settings.Standby = qint16(standby);
        st.timer.Echo_TX(true);
        QCOMPARE(st.view.mesgState(), QStringLiteral("On Air/e0e0e0/0000c0/0000ff"));

        for (int left = 179; left >= 0; --left) {
            st.tickNextSecond();
            QCOMPARE(st.view.count(), hms(left));
        }
        QCOMPARE(st.view.mesg, QStringLiteral("On Air"));
        QCOMPARE(bgr(st.view.lamps[90]), QStringLiteral("0000ff"));
        QCOMPARE(st.view.attention, 0);

        st.tickNextSecond(2);
        QCOMPARE(st.view.mesgState(), QStringLiteral("Over !!/e0e0e0/0000ff/0000ff"));
        QCOMPARE(st.view.attention, 1);
        QCOMPARE(st.view.count(), QStringLiteral("00:00:00"));

        st.timer.Echo_TX(false);
        QCOMPARE(st.view.mesgState(), QStringLiteral("/e0e0e0/0000ff/808080"));
        for (int left = standby - 1; left >= 1; --left) {
            st.tickNextSecond();
            QCOMPARE(st.view.mesgState(), QStringLiteral("Wait/e0e0e0/00c0c0/00ffff"));
            QCOMPARE(st.view.count(), hms(left));
            QCOMPARE(bgr(st.view.lamps[left]), QStringLiteral("00ff00"));
            QCOMPARE(bgr(st.view.lamps[left + 1]), QStringLiteral("c0c0c0"));
        }
        st.tickNextSecond();
        QCOMPARE(st.view.count(), QStringLiteral("00:03:00"));
        QCOMPARE(st.view.mesgState(), standby ? "/e0e0e0/00c0c0/808080" : "/e0e0e0/0000ff/808080");
        QCOMPARE(bgr(st.view.lamps[1]), QStringLiteral("c0c0c0"));
        QVERIFY(!st.timer.Waiting);
    }

    void countsOnlyNewSeconds()
    {
        Station st;
        st.setLimit(2, 0, 0);
        st.timer.Echo_TX(true);
        const auto at = [&](int second, int ms) {
            st.clock.set(QDateTime(QDate(2006, 3, 14), QTime(21, 5, second, ms)));
            st.timer.Timer1_Timer();
        };
        at(10, 50);
        at(10, 990);
        QCOMPARE(st.view.counts, QStringList{QStringLiteral("01:59:59")});
        at(12, 10); // 21:05:11 had no tick and is not made up
        QCOMPARE(st.view.count(), QStringLiteral("01:59:58"));
    }

    void gatesAndStrayEnd()
    {
        Station st;
        st.module.settings.SyncRX = false;
        st.timer.Echo_RX(true);
        QVERIFY(!st.timer.InRX && !st.module.Counting && st.view.mesg.isNull());

        st.module.settings.SyncRX = true;
        st.timer.Echo_RX(true);
        QCOMPARE(st.view.mesgState(), QStringLiteral("Receive/e0e0e0/00c000/80ff80"));

        // With SyncTX off a TX end is ignored; the RX end clears both flags.
        st.timer.Echo_TX(true);
        st.module.settings.SyncTX = false;
        st.timer.Echo_TX(false);
        QVERIFY(st.timer.InTX);
        st.timer.Echo_RX(false);
        QVERIFY(!st.timer.InTX && !st.timer.InRX && st.timer.Waiting);
    }

    void alarmBeeps_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("beeps");

        // 45 s: zones 30-31, 60-62, 75-85 over the even levels 2..90.
        QTest::newRow("45 s, zone width 1") << 45 << 8;
        QTest::newRow("60 s, width 0.5 rounds to 0") << 60 << 3;
        QTest::newRow("180 s, width -0.5 rounds to 0") << 180 << 3;
        QTest::newRow("181 s, width -1, empty zones") << 181 << 0;
        QTest::newRow("reception") << 180 << 0;
        QTest::newRow("alarm off") << 180 << 0;
    }
    // A whole transmission or reception, its Over and its standby wait.
    void alarmBeeps()
    {
        QFETCH(int, limit);
        QFETCH(int, beeps);
        const bool reception = QTest::currentDataTag() == QLatin1String("reception");

        Station st;
        st.setLimit(0, qint16(limit / 60), qint16(limit % 60));
        st.module.settings.Alarm = QTest::currentDataTag() != QLatin1String("alarm off");
        reception ? st.timer.Echo_RX(true) : st.timer.Echo_TX(true);
        st.tickNextSecond(limit + 1);
        reception ? st.timer.Echo_RX(false) : st.timer.Echo_TX(false);
        st.tickNextSecond(6);

        const QList<QPair<int, int>> expected(beeps, qMakePair(1000, 100));
        QCOMPARE(st.beeper.beeps, expected);
    }

    // A level beyond the bar paints nothing and sounds nothing; a zero limit
    // ends the tick after the decrease, before the count and LastTick.
    void failuresPaintNothing()
    {
        Station st;
        st.module.settings.Alarm = true;
        st.timer.SetLevel(30);
        for (qint16 level : {qint16(91), qint16(-2)})
            st.timer.SetLevel(level);
        QCOMPARE(st.view.paints, 1);
        QCOMPARE(st.beeper.beeps.size(), 1);
        QCOMPARE(st.module.LastLevel, qint16(30));

        st.timer.Echo_TX(true);
        st.module.TimerTotal = 0;
        st.tickNextSecond();
        QCOMPARE(st.module.RemainSS, qint16(59));
        QVERIFY(st.view.counts.isEmpty() && st.module.LastTick.isEmpty());
    }

    // The row's name says what the window and EchoLink do on the second tick.
    void caption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("count");

        const QString title = QStringLiteral("VLN Ver.0.1.14 ") + QLocale::system().toString(QDate(2006, 3, 14), QLocale::ShortFormat);
        QTest::newRow("restored") << title + " 21:05:11  <JA1XYZ>" << "00:02:58";
        // Minimised: the count before this tick, and EchoLink is not asked.
        QTest::newRow("minimised, callsign fails") << "00:02:59" << "00:02:58";
        QTest::newRow("callsign fails") << title + " 21:05:10  <JA1XYZ>" << "00:02:59";
        QTest::newRow("no session") << title + " 21:05:10  <JA1XYZ>" << "00:02:59";
    }
    void caption()
    {
        QFETCH(QString, caption);
        QFETCH(QString, count);
        const QString state = QTest::currentDataTag();

        Station st;
        st.session.callsign = QStringLiteral("JA1XYZ");
        st.timer.Echo_TX(true);
        st.tickNextSecond();

        st.view.minimised = state.startsWith(u"minimised");
        st.session.failing = state.endsWith(u"fails");
        if (state == u"no session")
            st.echo = nullptr;
        st.tickNextSecond();
        QCOMPARE(st.view.caption, caption);
        QCOMPARE(st.view.count(), count);
    }

    // The colour is set anew on every tick, so it follows midnight.
    void dayLabelFollowsMidnight()
    {
        Station st;
        const QStringList expected{"Sat/ff0000", "Sun/0000ff", "Mon/000000"};
        for (int day = 0; day < 3; ++day) {
            st.clock.set(QDateTime(QDate(2006, 3, 18).addDays(day), QTime(23, 59, 59)));
            st.timer.Timer1_Timer();
            QCOMPARE(st.view.day + u'/' + bgr(st.view.dayFore), expected[day]);
        }
    }
};

QTEST_GUILESS_MAIN(TstTimer)
#include "tst_timer.moc"
