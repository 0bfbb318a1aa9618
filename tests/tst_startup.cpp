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

QStringList iniLines(const QString &folder, const QString &timer = QStringLiteral("00:03:00"))
{
    return {"Timer=" + timer, "FontSize=11", "Standby=5", "SyncTX=1", "SyncRX=1", "Alarm=1",
            "DispDate=1", "DispTime=0", "LogFile=1", "Position= 100, 100, 5640, 8460",
            "ELDir=" + folder + "el/", "VLNDir=" + folder,
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

    // What ends the program during start-up: the message, its title, and the
    // settings file written on the way out with the values just read.
    void earlyExits_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("sessions");

        const QString failed = QStringLiteral("Please! Chek vln.ini [VLNDir] session");
        QTest::newRow("EchoLink missing") << "nofolder" << "EchoLink not Installed!" << "Vorlane" << 0;
        QTest::newRow("second instance") << "instance" << "already Running EchoLink Program"
                                         << "VorlaneMonitor" << 0;
        QTest::newRow("creation error") << "creation" << failed << "Vorlane" << 1;
        QTest::newRow("Logs folder cannot be made") << "logs" << failed << "Vorlane" << 1;
        QTest::newRow("limit beyond 32767 s") << "09:06:08" << failed << "Vorlane" << 1;
    }
    void earlyExits()
    {
        QFETCH(QString, cause);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(int, sessions);

        TestServices t;
        QStringList lines = iniLines(t.folder());
        if (cause == "nofolder")
            lines[10] = "ELDir=" + t.folder() + "missing/";
        if (cause.contains(u':'))
            lines[0] = "Timer=" + cause;
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
        QVERIFY(saved.startsWith(lines[0] + "\r\nFontSize=11\r\n"));
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

    // A normal start takes the file's values, the window keeps its minimum
    // size, and every way out saves the boxes as they are, except from a
    // minimised window.
    void startAndShutdown_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("Exit") << "exit";
        QTest::newRow("close box") << "close";
        QTest::newRow("EchoLink closing") << "closing";
        QTest::newRow("Exit while minimised") << "minimised";
    }
    void startAndShutdown()
    {
        QFETCH(QString, path);
        TestServices t;
        QVERIFY(writeIni(t.iniPath(), iniLines(t.folder(), QStringLiteral("09:06:07"))));
        const QString before = readIni(t.iniPath());
        frmMain w(t.services());
        QSignalSpy ended(&w, &frmMain::programEnded);
        w.Form_Load();

        QVERIFY(!w.hasEnded() && w.isTicking());
        QCOMPARE(w.windowTitle(), QString("VLN Ver.0.1.14 "));
        QVERIFY(w.ui().chkDate->isChecked() && !w.ui().chkTime->isChecked() && w.ui().chkLog->isChecked());
        QCOMPARE(w.ui().lChat->font().pointSize(), 11);
        QCOMPARE(w.module().TimerTotal, 32767); // the longest limit that starts
        QVERIFY(QFileInfo(t.folder() + "Logs").isDir());
        QCOMPARE(t.sessionsCreated, 1);

        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.resize(50, 50); // springs back to the minimum outer size
        QTRY_VERIFY(w.placement().width >= 5640 - 15);
        QVERIFY(w.placement().height >= 3000 - 15 && w.ui().lChat->height() > 0);
        w.ui().chkDate->setChecked(false);
        w.ui().chkTime->setChecked(true);
        if (path == "minimised") {
            w.showMinimized();
            QTRY_VERIFY(w.isMinimized());
        }
        if (path == "close")
            w.close();
        else if (path == "closing")
            t.session->fireClosing();
        else
            w.mnuExit_Click();

        QCOMPARE(ended.count(), 1);
        QVERIFY(!w.isVisible() && !w.isTicking());
        QCOMPARE(w.Echo(), nullptr);
        QVERIFY(t.messages.texts.isEmpty());
        if (path == "minimised")
            QCOMPARE(readIni(t.iniPath()), before);
        else
            QVERIFY(readIni(t.iniPath()).contains("\r\nDispDate=0\r\nDispTime=1\r\nLogFile=1\r\n"));
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
        const QString position = QStringLiteral("\r\nPosition= 300, 450, 7200, 9000\r\n");
        QStringList lines = iniLines(t.folder());
        lines[9] = position.trimmed();
        QVERIFY(writeIni(t.iniPath(), lines));
        for (int run = 0; run < 4; ++run) {
            t.instance.running = run == 3; // the last start ends at the instance check
            frmMain w(t.services());
            w.Form_Load();
            if (run == 1) {
                w.show();
                QVERIFY(QTest::qWaitForWindowExposed(&w));
            }
            if (!w.hasEnded())
                w.mnuExit_Click();
            QVERIFY2(readIni(t.iniPath()).contains(position), qPrintable(readIni(t.iniPath())));
        }
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
