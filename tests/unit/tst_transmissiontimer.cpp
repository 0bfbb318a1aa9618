#include "settings/Settings.h"
#include "support/FakeClock.h"
#include "support/FakeEchoLinkSession.h"
#include "support/RecordingBeeper.h"
#include "timer/BusyControl.h"
#include "timer/BusyView.h"
#include "timer/TimerView.h"
#include "timer/TransmissionTimer.h"

#include <QLocale>
#include <QtTest>

static QString hms(int seconds) { return QTime(0, 0).addSecs(seconds).toString("HH:mm:ss"); }

// The main window around the timer as start-up leaves it: the limit in the
// settings, the count and the total loaded from it. As the window it keeps
// the last value each control got, colours as #rrggbb, a '!' per attention
// request; its busy control stays idle.
struct Station : TimerView, BusyView
{
    explicit Station(TimeLimit limit = {0, 3, 0})
    {
        change([&](Settings &s) { s.limit = limit; });
        timer.resetCount();
        timer.updateTotal();
    }
    template <typename Edit> void change(Edit edit) { edit(settings); }
    void tick(int times = 1, int stepMs = 1000)
    {
        for (int i = 0; i < times; ++i) {
            clock.advanceMs(stepMs);
            timer.onTick();
        }
    }
    QString status() { return QStringList{last["status"], last["back"], last["fore"], last["lamp"]}.join('/'); }

    void setStatusText(const QString &text) override { last["status"] = text; }
    void setStatusBackground(const QColor &colour) override { last["back"] = colour.name(); }
    void setStatusColour(const QColor &colour) override { last["fore"] = colour.name(); }
    void setStateLamp(LampState state) override
    {
        last["lamp"] = QStringList{"idle", "transmitting", "receiving", "waiting"}.at(int(state));
    }
    void setCountText(const QString &text) override { counts << text; }
    void setLampLevel(qint16 lit) override { level = lit; }
    void announce(const QString &text) override { spoken << text; }
    void setDayText(const QString &text) override { last["day"] = text; }
    void setDayColour(const QColor &colour) override { last["dayColour"] = colour.name(); }
    void requestAttention() override { last["attention"] += '!'; }
    void setCaption(const QString &text) override { last["caption"] = text; }
    bool isMinimised() const override { return minimised; }
    bool isBusyChecked() const override { return false; }
    void setBusyChecked(bool) override {}
    void setChatBackgroundBusy(bool) override {}

    QHash<QString, QString> last;
    QStringList counts;
    int level = -1;
    QStringList spoken;
    bool minimised = false;
    Settings settings;
    FakeClock clock{QDateTime(QDate(2006, 3, 14), QTime(21, 5, 9, 500))};
    FakeEchoLinkSession session;
    EchoLinkSession *echo = &session;
    RecordingBeeper beeper;
    BusyControl busy{settings, clock, SessionRef([this] { return echo; }), *this};
    TransmissionTimer timer{settings, clock, SessionRef([this] { return echo; }), beeper, *this, busy};
};

class TestTransmissionTimer : public QObject
{
    Q_OBJECT

private slots:
    void wholeEvent_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("standby");
        QTest::addColumn<int>("beeps");
        QTest::newRow("transmit") << 180 << 5 << 3; // zone width -0.5 rounds to 0
        QTest::newRow("receive") << 180 << 5 << 0;
        QTest::newRow("standby 0 ends the wait at once") << 180 << 0 << 3;
        QTest::newRow("alarm off") << 180 << 5 << 0;
        // Zones 30-31, 60-62, 75-85 over the even levels 2..90.
        QTest::newRow("45 s, zone width 1") << 45 << 5 << 8;
        QTest::newRow("60 s, width 0.5 rounds to 0") << 60 << 5 << 3;
        QTest::newRow("181 s, width -1, empty zones") << 181 << 5 << 0;
    }
    // The count moves once per new clock second and stops at 00:00:00 with
    // one Over; the standby wait then counts down to the limit again. The
    // alarm beeps once per level in its zones, only for a transmission.
    void wholeEvent()
    {
        QFETCH(int, limit);
        QFETCH(int, standby);
        QFETCH(int, beeps);
        const bool transmit = QTest::currentDataTag() != QLatin1String("receive");
        const bool alarm = QTest::currentDataTag() != QLatin1String("alarm off");
        Station st({0, qint16(limit / 60), qint16(limit % 60)});
        st.change([&](Settings &s) { s.standbySeconds = qint16(standby); s.alarm = alarm; });
        transmit ? st.timer.onTransmitChanged(true) : st.timer.onReceiveChanged(true);
        QCOMPARE(st.status(), transmit ? "On Air/#e0e0e0/#c00000/transmitting" : "Receive/#e0e0e0/#00c000/receiving");
        st.tick(2, 200); // both in the same clock second
        st.tick(limit + 1);
        QStringList counts;
        for (int left = limit - 1; left >= -2; --left)
            counts << hms(qMax(left, 0));
        QCOMPARE(st.counts, counts);
        QCOMPARE(st.status() + st.last["attention"],
                 "Over !!/#e0e0e0/#ff0000/" + QString(transmit ? "transmitting" : "receiving") + '!');
        QCOMPARE(st.level, 90);
        transmit ? st.timer.onTransmitChanged(false) : st.timer.onReceiveChanged(false);
        QCOMPARE(st.status(), "/#e0e0e0/#ff0000/idle");
        for (int left = standby - 1; left >= 1; --left) {
            st.tick();
            QCOMPARE(st.status() + ' ' + st.counts.last(), "Wait/#e0e0e0/#c0c000/waiting " + hms(left));
            QCOMPARE(st.level, left);
        }
        st.tick();
        QCOMPARE(st.counts.last() + ' ' + QString::number(st.level), hms(limit) + (standby ? " 0" : " -1"));
        QCOMPARE(st.status(), standby ? "/#e0e0e0/#c0c000/idle" : "/#e0e0e0/#ff0000/idle");
        QCOMPARE(st.beeper.beeps(), (QList<QPair<int, int>>(beeps, {1000, 100})));
        // Spoken at the beeps' moments, Alarm on or off, then Over; the
        // standby wait, when there is one, at its start and end.
        QCOMPARE(st.spoken.filter(" left").size(), transmit ? qMax(beeps, alarm ? 0 : 3) : 0);
        const QStringList afterOver = standby ? QStringList{"Over", "Standby", "Ready"} : QStringList{"Over"};
        QCOMPARE(st.spoken.mid(st.spoken.indexOf("Over")), afterOver);
    }

    // With the Sync switches off no event's start or end reaches a running count.
    void syncSwitchesOff()
    {
        Station st;
        st.timer.onReceiveChanged(true);
        st.tick();
        st.change([](Settings &s) { s.syncTransmit = s.syncReceive = false; });
        for (const bool on : {true, false}) {
            st.timer.onTransmitChanged(on);
            st.timer.onReceiveChanged(on);
        }
        QCOMPARE(st.status() + ' ' + st.timer.countText(), "Receive/#e0e0e0/#00c000/receiving 00:02:59");
        QVERIFY(st.timer.isCounting());
    }

    // A 16-bit overflow or a total of 0 ends the tick after the decrease,
    // silently, before the count is shown.
    void arithmeticFaultsEndTheTick()
    {
        Station over; // a limit past 32767 s, which start-up's updateTotal refuses
        over.change([](Settings &s) { s.limit = {10, 0, 0}; });
        over.timer.resetCount();
        Station zero;
        zero.timer.onTransmitChanged(true);
        zero.change([](Settings &s) { s.limit = {0, 0, 0}; });
        zero.timer.updateTotal();
        over.timer.onTransmitChanged(true);
        for (Station *st : {&over, &zero})
            st->tick();
        QCOMPARE(over.counts + zero.counts, QStringList());
        QCOMPARE(over.timer.countText() + ' ' + zero.timer.countText(), "09:59:59 00:02:59");
    }

    // Minimised, the caption is the count before the tick and EchoLink is not
    // asked; a failing Callsign call, or no session, ends the tick before the
    // count but after the day label, whose colour follows midnight.
    void labelsBeforeTheCount()
    {
        Station st;
        st.session.setCallsign("JA1XYZ");
        st.timer.onTransmitChanged(true);
        st.tick();
        const QString date = QLocale::system().toString(QDate(2006, 3, 14), QLocale::ShortFormat);
        QCOMPARE(st.last["caption"], "VLN Ver.0.1.14 " + date + " 21:05:10  <JA1XYZ>");
        st.minimised = true;
        st.session.setFailing(true);
        st.tick();
        QCOMPARE(st.last["caption"] + ' ' + st.counts.last(), "00:02:59 00:02:58");
        st.minimised = false;
        st.tick();
        st.session.setFailing(false);
        st.echo = nullptr;
        for (const QString day : {"Sat/#0000ff", "Sun/#ff0000", "Mon/#000000"}) {
            st.clock.set(st.clock.now().addDays(day.startsWith("Sat") ? 4 : 1));
            st.timer.onTick();
            QCOMPARE(st.last["day"] + '/' + st.last["dayColour"], day);
        }
        QCOMPARE(st.last["caption"] + ' ' + st.counts.last(), "00:02:59 00:02:58");
    }
};

QTEST_GUILESS_MAIN(TestTransmissionTimer)
#include "tst_transmissiontimer.moc"
