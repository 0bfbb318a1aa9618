#include "compat/AppInfo.h"
#include "desktop/JapaneseFont.h"
#include "ui/dialogs/OptionsDialog.h"
#include "ui/dialogs/ScheduleDialog.h"

#include "support/TestServices.h"
#include "ui/widgets/ChatHistoryView.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Records what vln.ini held each time a save read the window's state,
// that is just before each write.
class WatchedController : public AppController
{
public:
    explicit WatchedController(TestServices &t) : AppController(t.services()), m_services(t) {}
    WindowState windowState() const override
    {
        m_beforeWrites << m_services.savedIni();
        return AppController::windowState();
    }
    const QList<QByteArray> &beforeWrites() const { return m_beforeWrites; }

private:
    const TestServices &m_services;
    mutable QList<QByteArray> m_beforeWrites;
};

} // namespace

class TestAppController : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { JapaneseFont::installSubstitutes(); }

    // What stops start-up. Until the Date, Time and Log boxes are set, a save
    // writes vln.ini back with the values just read.
    void stops_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("sessions");

        const QString failed = QStringLiteral("Please! Chek vln.ini [VLNDir] session");
        QTest::newRow("EchoLink missing") << "nofolder" << "EchoLink not Installed!" << "Vorlane" << 0;
        QTest::newRow("second instance") << "instance" << "already Running EchoLink Program"
                                         << "VorlaneMonitor" << 0;
        QTest::newRow("creation throws") << "throws" << failed << "Vorlane" << 1;
        QTest::newRow("Logs folder cannot be made") << "logs" << failed << "Vorlane" << 1;
        QTest::newRow("limit past 32767 s") << "09:06:08" << failed << "Vorlane" << 1;
        QTest::newRow("empty session: the window stays") << "empty" << "Launch EchoLink Faild!!" << "missing!!" << 1;
    }
    void stops()
    {
        QFETCH(QString, cause);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(int, sessions);

        TestServices t;
        const QString limit = cause.contains(u':') ? cause : QStringLiteral("00:03:00");
        t.writeIni(limit);
        const QByteArray before = t.savedIni();
        if (cause == "nofolder")
            QVERIFY(QDir(t.folder() + "el").removeRecursively());
        if (cause == "logs")
            QVERIFY(writeFile(t.folder() + "Logs", "a file where the folder should be"));
        t.instance.setRunning(cause == "instance");
        t.attach = cause == "throws" ? Attach::Throws : cause == "empty" ? Attach::Empty : Attach::Succeeds;

        AppController w(t.services());
        QSignalSpy ended(&w, &AppController::programEnded);
        w.startUp();

        const bool ends = cause != "empty";
        QCOMPARE(w.hasEnded(), ends);
        QCOMPARE(ended.count(), int(ends));
        QCOMPARE(t.messages.texts(), QStringList{text});
        QCOMPARE(t.messages.titles(), QStringList{title});
        QCOMPARE(t.sessionsCreated, sessions);
        QVERIFY(!w.isTicking());
        QCOMPARE(t.savedIni(), ends ? t.iniText(limit) : before);
    }

    // The longest limit starts; every way out saves the boxes as they are,
    // the placement included, except from a minimised window.
    void startAndShutdown_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("writes");
        QTest::newRow("Exit") << "exit" << 2;
        QTest::newRow("EchoLink closing") << "closing" << 2;
        QTest::newRow("close box") << "close" << 1;
        QTest::newRow("Exit while minimised") << "minimised" << 0;
    }
    void startAndShutdown()
    {
        QFETCH(QString, way);
        QFETCH(int, writes);
        TestServices t;
        t.writeIni(QStringLiteral("09:06:07"));
        const QByteArray before = t.savedIni();
        WatchedController w(t);
        QSignalSpy ended(&w, &AppController::programEnded);
        w.startUp();

        QVERIFY(!w.hasEnded() && w.isTicking());
        QCOMPARE(w.transmissionTimer().totalSeconds(), 32767);
        QCOMPARE(w.window().windowTitle(), AppInfo::captionPrefix());
        QVERIFY(w.window().ui().dateStamp->isChecked() && !w.window().ui().timeStamp->isChecked() && w.window().ui().log->isChecked());
        QCOMPARE(w.window().ui().history->font().pointSize(), 11);
        QVERIFY(QFileInfo(t.folder() + "Logs").isDir());

        w.window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window()));
        w.window().ui().dateStamp->setChecked(false);
        w.window().ui().timeStamp->setChecked(true);
        if (way == "minimised") {
            w.window().showMinimized();
            QTRY_VERIFY(w.window().isMinimized());
        }
        if (way == "close")
            w.window().close();
        else if (way == "closing")
            emit t.session->closing();
        else
            w.window().ui().exitAction->trigger();

        QCOMPARE(ended.count(), 1);
        QVERIFY(!w.window().isVisible() && !w.isTicking() && !w.session());
        QVERIFY(t.messages.texts().isEmpty());
        QCOMPARE(w.beforeWrites().size(), writes);
        if (writes == 2) // the second write repeats the first
            QCOMPARE(w.beforeWrites()[1], t.savedIni());
        const QByteArray boxes = t.iniText("09:06:07").replace("DispDate=1\r\nDispTime=0", "DispDate=0\r\nDispTime=1");
        QCOMPARE(t.savedIni(), writes ? boxes : before);
    }

    // Set in the options dialog restarts the count from the new limit; Set in
    // the schedule dialog arms the busy control.
    void dialogsFromTheMenu()
    {
        TestServices t;
        const auto w = t.start();
        QTimer::singleShot(0, w.get(), [] {
            auto *dialog = qobject_cast<OptionsDialog *>(QApplication::activeModalWidget());
            dialog->findChild<QLineEdit *>("minutes")->setText("5");
            dialog->findChild<QLineEdit *>("fontSize")->setText("20");
            dialog->findChild<QCheckBox *>("stampDate")->setChecked(false);
            dialog->findChild<QCheckBox *>("stampTime")->setChecked(true);
            dialog->findChild<QCheckBox *>("logChat")->setChecked(false);
            dialog->findChild<QPushButton *>("set")->click();
        });
        w->window().ui().optionsAction->trigger();
        QVERIFY(!w->window().ui().dateStamp->isChecked() && w->window().ui().timeStamp->isChecked() && !w->window().ui().log->isChecked());
        QCOMPARE(w->window().ui().history->font().pointSize(), 20);
        QCOMPARE(w->transmissionTimer().countText(), QStringLiteral("00:05:00"));
        QCOMPARE(w->transmissionTimer().totalSeconds(), 300);

        QTimer::singleShot(0, w.get(), [] {
            auto *dialog = qobject_cast<ScheduleDialog *>(QApplication::activeModalWidget());
            dialog->findChild<QCheckBox *>("secondEnabled")->setChecked(true);
            dialog->findChild<QPushButton *>("set")->click();
        });
        w->window().ui().scheduleAction->trigger();
        QVERIFY(!w->busyControl().isArmed(0) && w->busyControl().isArmed(1));
    }
};

QTEST_MAIN(TestAppController)
#include "tst_appcontroller.moc"
