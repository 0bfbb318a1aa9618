#include "settings/Module1.h"
#include "support/FakeClock.h"
#include "support/FakeEchoLinkSession.h"
#include "support/FakeSettingsWindow.h"
#include "support/RecordingMessageBox.h"
#include "timer/BusyControl.h"
#include "timer/BusyView.h"

#include <QtTest>

namespace {

// A check box that only holds its state, as QCheckBox::setChecked does.
class RecordingBusyView : public BusyView
{
public:
    bool isChkBusyChecked() const override { return checked; }
    void setChkBusyChecked(bool c) override { checked = c; }
    void setChatBackgroundBusy(bool busy) override { backgrounds << busy; }

    bool checked = false;
    QList<bool> backgrounds;
};

struct Station
{
    void at(const QString &time)
    {
        clock.set(QDateTime(QDate(2006, 3, 14), QTime::fromString(time, QStringLiteral("HH:mm:ss"))));
        busy.CheckSchedule();
    }

    FakeSettingsWindow window;
    RecordingMessageBox messages;
    Module1 module{window, messages, ProgramFolders{}};
    FakeClock clock;
    FakeEchoLinkSession session;
    RecordingBusyView view;
    BusyControl busy{module, clock, SessionRef([this] { return &session; }), view};
};

const QStringList busyOn{QStringLiteral("BusyFlagA 1"), QStringLiteral("BusyFlagB 1")};
const QStringList busyOff{QStringLiteral("BusyFlagA 0"), QStringLiteral("BusyFlagB 0")};

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
        QCOMPARE(st.session.calls, busyOn + busyOff);
        QCOMPARE(st.view.backgrounds, (QList<bool>{true, false}));

        st.busy.setChkBusy(false);
        QCOMPARE(st.session.calls.size(), 4);
    }

    void windowEdges_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<qint16>("enabled");
        QTest::newRow("Timer01") << 1 << qint16(1);
        QTest::newRow("Timer02") << 2 << qint16(1);
        QTest::newRow("Timer01 not set") << 1 << qint16(0);
    }
    void windowEdges()
    {
        QFETCH(int, window);
        QFETCH(qint16, enabled);

        Station st;
        Settings &s = st.module.settings;
        (window == 1 ? s.Timer01Start : s.Timer02Start) = QStringLiteral("12:00:00");
        (window == 1 ? s.Timer01End : s.Timer02End) = QStringLiteral("13:00:00");
        (window == 1 ? st.module.Timer01On : st.module.Timer02On) = enabled;

        st.at(QStringLiteral("11:59:59"));
        QVERIFY(st.session.calls.isEmpty());

        st.at(QStringLiteral("12:00:00"));
        st.at(QStringLiteral("12:00:00")); // a second tick in the same second
        QCOMPARE(st.view.checked, enabled == 1);
        QCOMPARE(st.session.calls, enabled == 1 ? busyOn : QStringList());

        st.at(QStringLiteral("12:30:00"));
        st.at(QStringLiteral("13:00:00"));
        QVERIFY(!st.view.checked);
        QCOMPARE(st.session.calls, enabled == 1 ? busyOn + busyOff : QStringList());
        QCOMPARE(st.view.backgrounds, enabled == 1 ? (QList<bool>{true, false}) : QList<bool>());
    }

    void startEqualToEndEndsCleared()
    {
        Station st;
        st.module.settings.Timer01Start = st.module.settings.Timer01End = QStringLiteral("00:00:00");
        st.module.Timer01On = 1;
        st.at(QStringLiteral("00:00:00"));
        QVERIFY(!st.view.checked);
        QCOMPARE(st.session.calls, busyOn + busyOff);
    }

    // EchoLink refuses: the box and lChat show busy while EchoLink was not told,
    // and the rest of the schedule check still runs.
    void failingEchoLinkLeavesBoxBusy()
    {
        Station st;
        st.session.failing = true;
        st.module.settings.Timer01Start = QStringLiteral("12:00:00");
        st.module.settings.Timer02End = QStringLiteral("12:00:00");
        st.module.Timer01On = 1;
        st.module.Timer02On = 1;
        st.at(QStringLiteral("12:00:00"));
        QVERIFY(!st.view.checked);
        QCOMPARE(st.view.backgrounds, (QList<bool>{true, false}));
        QCOMPARE(st.session.calls, (QStringList{busyOn[0], busyOff[0]}));
    }
};

QTEST_GUILESS_MAIN(TstBusy)
#include "tst_busy.moc"
