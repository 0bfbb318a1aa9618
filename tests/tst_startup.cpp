#include "app/frmMain.h"
#include "platform/JapaneseFont.h"
#include "settings/frmOpt.h"

#include "support/TestFiles.h"
#include "support/TestServices.h"

#include "chat/ChatHistoryView.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

QStringList iniLines(const QString &folder, const QString &timer = QStringLiteral("00:03:00"),
                     const QString &elDir = QString())
{
    return {"Timer=" + timer, "FontSize=11", "Standby=5", "SyncTX=1", "SyncRX=1", "Alarm=1",
            "DispDate=1", "DispTime=0", "LogFile=1", "Position= 100, 100, 5640, 8460",
            "ELDir=" + (elDir.isNull() ? folder + "el/" : elDir), "VLNDir=" + folder,
            "Timer01=00:00:00,00:00:00,0", "Timer02=00:00:00,00:00:00,0", "HttpLog=", "Speech=0"};
}

bool writeIni(const QString &path, const QStringList &lines)
{
    return writeFile(path, (lines.join("\r\n") + "\r\n").toUtf8());
}

QString readIni(const QString &path)
{
    return QString::fromUtf8(readFile(path));
}

// The main window loaded from a settings file with the given limit.
std::unique_ptr<frmMain> started(TestServices &t, const QString &limit = QStringLiteral("00:03:00"))
{
    writeIni(t.iniPath(), iniLines(t.folder(), limit));
    auto w = std::make_unique<frmMain>(t.services());
    w->Form_Load();
    return w;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { JapaneseFont::installSubstitutes(); }
    void startsWithTheSettings()
    {
        TestServices t;
        const auto w = started(t);

        QVERIFY(!w->hasEnded());
        QVERIFY(t.messages.texts.isEmpty());
        QCOMPARE(w->windowTitle(), QString("VLN Ver.0.1.14 "));
        QVERIFY(w->isTicking());
        QVERIFY(w->ui().chkDate->isChecked());
        QVERIFY(!w->ui().chkTime->isChecked());
        QVERIFY(w->ui().chkLog->isChecked());
        QCOMPARE(w->ui().lChat->font().pointSize(), 11);
        QCOMPARE(w->module().TimerTotal, 180);
        QCOMPARE(w->module().RemainMM, qint16(3));
        QVERIFY(QFileInfo(t.folder() + "Logs").isDir());
        QCOMPARE(t.sessionsCreated, 1);
    }

    // What ends the program during start-up: the message, its title, and the
    // settings file written on the way out with the values just read.
    void earlyExits_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("sessions");

        QTest::newRow("EchoLink missing") << "nofolder" << "EchoLink not Installed!" << "Vorlane" << 0;
        QTest::newRow("second instance") << "instance" << "already Running EchoLink Program"
                                         << "VorlaneMonitor" << 0;
        QTest::newRow("creation error") << "creation" << "Please! Chek vln.ini [VLNDir] session"
                                        << "Vorlane" << 1;
        QTest::newRow("Logs folder cannot be made") << "logs" << "Please! Chek vln.ini [VLNDir] session"
                                                    << "Vorlane" << 1;
    }
    void earlyExits()
    {
        QFETCH(QString, cause);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(int, sessions);

        TestServices t;
        QStringList lines = iniLines(t.folder(), "00:03:00",
                                     cause == "nofolder" ? t.folder() + "missing/" : QString());
        if (cause == "logs")
            QVERIFY(writeIni(t.folder() + "Logs", {"a file where the folder should be"}));
        QVERIFY(writeIni(t.iniPath(), lines));
        t.instance.running = cause == "instance";
        t.sessionFails = cause == "creation";

        frmMain w(t.services());
        QSignalSpy ended(&w, &frmMain::programEnded);
        w.Form_Load();

        QVERIFY(w.hasEnded());
        QCOMPARE(ended.count(), 1);
        QCOMPARE(t.messages.texts, QStringList{text});
        QCOMPARE(t.messages.titles, QStringList{title});
        QCOMPARE(t.sessionsCreated, sessions);
        QVERIFY(!w.isTicking());
        // The boxes were never set from the file: its values are written back.
        const QString saved = readIni(t.iniPath());
        QVERIFY2(saved.contains("\r\nDispDate=1\r\nDispTime=0\r\nLogFile=1\r\n"), qPrintable(saved));
        QVERIFY(saved.contains("FontSize=11\r\n"));
    }

    void emptyReferenceKeepsTheWindowOpen()
    {
        TestServices t;
        t.sessionEmpty = true;
        const auto w = started(t);

        QVERIFY(!w->hasEnded());
        QCOMPARE(t.messages.texts, QStringList{"Launch EchoLink Faild!!"});
        QCOMPARE(t.messages.titles, QStringList{"missing!!"});
        QVERIFY(!w->isTicking());
        QVERIFY(!w->windowTitle().startsWith("VLN"));
        QVERIFY(!QFileInfo(t.folder() + "Logs").exists());

        w->mnuExit_Click();
        QVERIFY(w->hasEnded());
        QVERIFY(readIni(t.iniPath()).contains("\r\nDispDate=1\r\nDispTime=0\r\nLogFile=1\r\n"));
    }

    void limitOverflow_data()
    {
        QTest::addColumn<QString>("limit");
        QTest::addColumn<bool>("starts");
        QTest::newRow("09:06:07") << "09:06:07" << true;
        QTest::newRow("09:06:08") << "09:06:08" << false;
        QTest::newRow("12:30:00") << "12:30:00" << false;
    }
    void limitOverflow()
    {
        QFETCH(QString, limit);
        QFETCH(bool, starts);
        TestServices t;
        const auto w = started(t, limit);
        QCOMPARE(w->hasEnded(), !starts);
        if (starts) {
            QCOMPARE(w->module().TimerTotal, 32767);
            QVERIFY(t.messages.texts.isEmpty());
        } else {
            QCOMPARE(t.messages.texts, QStringList{"Please! Chek vln.ini [VLNDir] session"});
            QVERIFY(readIni(t.iniPath()).startsWith("Timer=" + limit + "\r\n"));
        }
    }

    void shutdownPaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("Exit") << "exit";
        QTest::newRow("close box") << "close";
        QTest::newRow("EchoLink closing") << "closing";
    }
    void shutdownPaths()
    {
        QFETCH(QString, path);
        TestServices t;
        QVERIFY(writeIni(t.iniPath(), iniLines(t.folder())));
        frmMain w(t.services());
        QSignalSpy ended(&w, &frmMain::programEnded);
        w.Form_Load();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.ui().chkDate->setChecked(false);
        w.ui().chkTime->setChecked(true);

        if (path == "exit")
            w.mnuExit_Click();
        else if (path == "close")
            w.close();
        else
            t.session->fireClosing();

        QCOMPARE(ended.count(), 1);
        QVERIFY(!w.isVisible());
        QVERIFY(!w.isTicking());
        QCOMPARE(w.Echo(), nullptr);
        QVERIFY(t.messages.texts.isEmpty());
        QVERIFY(readIni(t.iniPath()).contains("\r\nDispDate=0\r\nDispTime=1\r\nLogFile=1\r\n"));
    }

    void minimisedWindowSavesNothing()
    {
        TestServices t;
        const auto w = started(t);
        w->show();
        const QString before = readIni(t.iniPath());
        w->ui().chkDate->setChecked(false);
        w->showMinimized();
        QTRY_VERIFY(w->isMinimized());
        w->mnuExit_Click();
        QVERIFY(w->hasEnded());
        QCOMPARE(readIni(t.iniPath()), before);
    }

    // The options dialog is built the first time the menu opens it; its Set
    // reaches the main window through evtClick.
    void optionsConfirmedUpdatesTheWindow()
    {
        TestServices t;
        const auto w = started(t);
        QVERIFY(!w->findChild<frmOpt *>());
        QTimer::singleShot(0, w.get(), [] {
            auto *dialog = qobject_cast<frmOpt *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->chkDate->setChecked(false);
            dialog->chkTime->setChecked(true);
            dialog->chkLog->setChecked(false);
            dialog->inFsize->setText("20");
            dialog->OkBtn->click();
        });
        w->ui().mnuOpt->trigger();
        QCOMPARE(w->findChildren<frmOpt *>().size(), 1);
        QVERIFY(!w->ui().chkDate->isChecked());
        QVERIFY(w->ui().chkTime->isChecked());
        QVERIFY(!w->ui().chkLog->isChecked());
        QCOMPARE(w->ui().lChat->font().pointSize(), 20);
        QCOMPARE(w->ui().sInput->font().pointSize(), 12);
        QVERIFY(readIni(t.iniPath()).contains("FontSize=20\r\n"));
    }

    // Position must come back as it was saved, whether the window was shown
    // before the save or the program ended during start-up.
    void positionSurvivesRestarts()
    {
        TestServices t;
        QStringList lines = iniLines(t.folder());
        lines[9] = "Position= 300, 450, 7200, 9000";
        writeIni(t.iniPath(), lines);
        for (int run = 0; run < 3; ++run) {
            frmMain w(t.services());
            w.Form_Load();
            if (run == 1) {
                w.show();
                QVERIFY(QTest::qWaitForWindowExposed(&w));
            }
            w.mnuExit_Click();
            QVERIFY2(readIni(t.iniPath()).contains("\r\nPosition= 300, 450, 7200, 9000\r\n"),
                     qPrintable(readIni(t.iniPath())));
        }
        t.instance.running = true;
        frmMain second(t.services());
        second.Form_Load();
        QVERIFY(readIni(t.iniPath()).contains("\r\nPosition= 300, 450, 7200, 9000\r\n"));
    }

    void windowSpringsBackToItsMinimum()
    {
        TestServices t;
        const auto w = started(t);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->resize(50, 50);
        QTRY_VERIFY(w->placement().width >= 5640 - 15);
        QVERIFY(w->placement().height >= 3000 - 15);
        QVERIFY(w->ui().lChat->height() > 0);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
