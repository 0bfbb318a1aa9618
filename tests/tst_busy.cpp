#include "settings/Module1.h"
#include "support/FakeClock.h"
#include "support/FakeEchoLinkSession.h"
#include "support/FakeSettingsWindow.h"
#include "support/RecordingMessageBox.h"
#include "timer/BusyControl.h"
#include "timer/BusyView.h"

#include <QtTest>

namespace {

// A check box that only holds its state, as QCheckBox::setChecked does. The
// chat background goes into the session's call list, so one trace shows the
// order of everything the control does.
class RecordingBusyView : public BusyView
{
public:
    explicit RecordingBusyView(QStringList &trace) : m_trace(trace) {}
    bool isChkBusyChecked() const override { return checked; }
    void setChkBusyChecked(bool c) override { checked = c; }
    void setChatBackgroundBusy(bool busy) override { m_trace << (busy ? "grey" : "white"); }

    bool checked = false;

private:
    QStringList &m_trace;
};

struct Station
{
    // One schedule check at time: what it did, then the state of the box.
    QString at(const QString &time)
    {
        session.calls.clear();
        clock.set(QDateTime(QDate(2006, 3, 14), QTime::fromString(time)));
        busy.CheckSchedule();
        return (session.calls << (view.checked ? "ticked" : "clear")).join(", ");
    }

    FakeSettingsWindow window;
    RecordingMessageBox messages;
    Module1 module{window, messages, ProgramFolders{}};
    FakeClock clock;
    FakeEchoLinkSession session;
    RecordingBusyView view{session.calls};
    BusyControl busy{module, clock, SessionRef([this] { return &session; }), view};
};

} // namespace

class TstBusy : public QObject
{
    Q_OBJECT

private slots:
    void clickFollowsBox()
    {
        Station st;
        st.view.checked = true;
        st.busy.chkBusy_Click();
        st.view.checked = false;
        st.busy.chkBusy_Click();
        st.busy.setChkBusy(false); // already cleared: no click
        QCOMPARE(st.session.calls,
                 (QStringList{"grey", "BusyFlagA 1", "BusyFlagB 1", "white", "BusyFlagA 0", "BusyFlagB 0"}));
    }

    void schedule_data()
    {
        QTest::addColumn<QStringList>("timer01"); // start, end, enabled
        QTest::addColumn<QStringList>("timer02");
        QTest::addColumn<bool>("failing");
        QTest::addColumn<QStringList>("times");
        QTest::addColumn<QStringList>("trace");

        const QStringList on{"12:00:00", "13:00:00", "1"};
        const QStringList off{"12:00:00", "13:00:00", "0"};
        // A second tick in the same second sets the box to the state it has.
        const QStringList times{"11:59:59", "12:00:00", "12:00:00", "12:30:00", "13:00:00"};
        const QStringList follows{"clear", "grey, BusyFlagA 1, BusyFlagB 1, ticked", "ticked", "ticked",
                                  "white, BusyFlagA 0, BusyFlagB 0, clear"};
        QTest::newRow("Timer01") << on << off << false << times << follows;
        QTest::newRow("Timer02") << off << on << false << times << follows;
        QTest::newRow("not enabled") << off << off << false << times << QStringList(5, "clear");
        QTest::newRow("start equals end, midnight")
            << QStringList{"00:00:00", "00:00:00", "1"} << off << false << QStringList{"00:00:00"}
            << QStringList{"grey, BusyFlagA 1, BusyFlagB 1, white, BusyFlagA 0, BusyFlagB 0, clear"};
        // lChat shows busy though EchoLink was not told, and the check goes on.
        QTest::newRow("EchoLink refuses") << on << QStringList{"00:00:00", "12:00:00", "1"} << true
                                          << QStringList{"12:00:00"}
                                          << QStringList{"grey, BusyFlagA 1, white, BusyFlagA 0, clear"};
    }
    void schedule()
    {
        QFETCH(QStringList, timer01);
        QFETCH(QStringList, timer02);
        QFETCH(bool, failing);
        QFETCH(QStringList, times);
        QFETCH(QStringList, trace);

        Station st;
        Settings &s = st.module.settings;
        s.Timer01Start = timer01[0];
        s.Timer01End = timer01[1];
        st.module.Timer01On = timer01[2].toShort();
        s.Timer02Start = timer02[0];
        s.Timer02End = timer02[1];
        st.module.Timer02On = timer02[2].toShort();
        st.session.failing = failing;
        QStringList got;
        for (const QString &time : times)
            got << st.at(time);
        QCOMPARE(got, trace);
    }
};

QTEST_GUILESS_MAIN(TstBusy)
#include "tst_busy.moc"
