#include "settings/Settings.h"
#include "support/FakeClock.h"
#include "support/FakeEchoLinkSession.h"
#include "timer/BusyControl.h"
#include "timer/BusyView.h"

#include <QtTest>

// The main window around the busy control; its box only holds its state.
struct Station : BusyView
{
    bool isBusyChecked() const override { return checked; }
    void setBusyChecked(bool busy) override { checked = busy; }
    void setChatBackgroundBusy(bool busy) override { backgrounds << (busy ? "grey" : "white"); }
    void announce(const QString &text) override { spoken << text; }

    bool checked = false;
    QStringList backgrounds;
    QStringList spoken;
    Settings settings;
    FakeClock clock;
    FakeEchoLinkSession session;
    BusyControl busy{settings, clock, SessionRef([this] { return &session; }), *this};
};

class TestBusyControl : public QObject
{
    Q_OBJECT

private slots:
    // The history's background comes first: it shows busy even when EchoLink
    // refuses the first flag, which leaves out the second.
    void clickFollowsBox()
    {
        Station st;
        st.checked = true;
        st.busy.onBusyClicked();
        st.busy.setBusy(true); // already ticked: no click
        st.busy.setBusy(false);
        st.session.setFailing(true);
        st.busy.setBusy(true);
        QCOMPARE(st.backgrounds, (QStringList{"grey", "white", "grey"}));
        QCOMPARE(st.session.calls().join(','), "BusyFlagA 1,BusyFlagB 1,BusyFlagA 0,BusyFlagB 0,BusyFlagA 1");
        // Busy must show at a glance against the normal background.
        const QPalette palette = QApplication::palette();
        QVERIFY(BusyView::chatBackground(false, palette).lightness()
                    - BusyView::chatBackground(true, palette).lightness() >= 40);
    }

    void schedule_data()
    {
        QTest::addColumn<QStringList>("windows"); // first start, end, second start, end
        QTest::addColumn<QList<bool>>("armed");
        // Per check at 11:59:59, 12:00:00 twice, 12:30:00 and 13:00:00: EchoLink's
        // calls, what was said, and the box.
        QTest::addColumn<QString>("trace");
        // The other window would clear the box at 12:30 if it were followed.
        const QStringList first{"12:00:00", "13:00:00", "12:30:00", "12:30:00"};
        const QStringList second{first[2], first[3], first[0], first[1]};
        // A second check in the same second sets the box to the state it has.
        const QString follows =
            "clear|BusyFlagA 1,BusyFlagB 1,Busy,ticked|ticked|ticked|BusyFlagA 0,BusyFlagB 0,Not busy,clear";
        QTest::newRow("first armed") << first << QList<bool>{true, false} << follows;
        QTest::newRow("second armed") << second << QList<bool>{false, true} << follows;
        QTest::newRow("none armed") << first << QList<bool>{false, false} << "clear|clear|clear|clear|clear";
        const QString both = "BusyFlagA 1,BusyFlagB 1,BusyFlagA 0,BusyFlagB 0,Busy,Not busy,clear";
        QTest::newRow("start equals end") << QStringList{"12:00:00", "12:00:00", "", ""} << QList<bool>{true, false}
                                          << "clear|" + both + '|' + both + "|clear|clear";
        // A refused flag ends only its own edge's click; the check goes on.
        const QString refused = "BusyFlagA 1,BusyFlagA 0,Busy,Not busy,clear";
        QTest::newRow("EchoLink refuses") << QStringList{"12:00:00", "", "", "12:00:00"} << QList<bool>{true, true}
                                          << "clear|" + refused + '|' + refused + "|clear|clear";
    }
    // The settings' own enable digits are on throughout: only arming counts.
    void schedule()
    {
        QFETCH(QStringList, windows);
        QFETCH(QList<bool>, armed);
        QFETCH(QString, trace);
        Station st;
        st.settings.schedule = {ScheduleWindow{windows[0], windows[1], 1}, ScheduleWindow{windows[2], windows[3], 1}};
        st.busy.armSchedule(armed[0], armed[1]);
        st.session.setFailing(QTest::currentDataTag() == QLatin1String("EchoLink refuses"));
        QStringList got;
        for (const char *time : {"11:59:59", "12:00:00", "12:00:00", "12:30:00", "13:00:00"}) {
            st.session.clearCalls();
            st.spoken.clear();
            st.clock.set(QDateTime(QDate(2006, 3, 14), QTime::fromString(time)));
            st.busy.checkSchedule();
            got << (st.session.calls() + st.spoken + QStringList(st.checked ? "ticked" : "clear")).join(',');
        }
        QCOMPARE(got.join('|'), trace);
    }
};

QTEST_MAIN(TestBusyControl)
#include "tst_busycontrol.moc"
