#include "settings/frmOpt.h"
#include "settings/Module1.h"
#include "platform/Twips.h"

#include "support/FakeSettingsWindow.h"
#include "support/RecordingMessageBox.h"
#include "support/TestFiles.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TestFrmOpt : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_window = FakeSettingsWindow();
        m_messages = RecordingMessageBox();
        const QString folder = m_dir->path() + "/";
        m_dialog.reset();
        m_module = std::make_unique<Module1>(m_window, m_messages, ProgramFolders{folder, folder + "none/", folder});
        m_module->settings.Alarm = true;
        m_module->SaveSettings();
        m_dialog = std::make_unique<frmOpt>(*m_module, m_window, m_messages);
        m_dialog->iNG = 1;
    }

    void loadShowsSettingsAndMainWindow()
    {
        Settings &s = m_module->settings;
        s.TimerHH = 1;
        s.TimerSS = 7;
        s.FontSize = 12;
        s.Standby = 0;
        s.SyncTX = false;
        s.Speech = true;
        s.LogFile = true; // the main window's Date, Time and Log boxes win
        m_window.date = true;
        m_window.place = {1500, 3000, 5640, 8460};

        m_dialog->show();

        QStringList texts;
        for (const QLineEdit *box : entries())
            texts << box->text();
        QCOMPARE(texts.join(' '), QString("01 03 07 12 0"));
        QString switches;
        for (const QCheckBox *box : {m_dialog->chkTX, m_dialog->chkRX, m_dialog->chkAlm, m_dialog->chkDate,
                                     m_dialog->chkTime, m_dialog->chkLog, m_dialog->chkSpeech})
            switches += box->isChecked() ? '1' : '0';
        QCOMPARE(switches, QString("0111101"));
        QCOMPARE(m_dialog->pos(), QPoint(Twips::toPixels(1750), Twips::toPixels(5100)));
    }

    void keyFilter()
    {
        m_dialog->show();
        for (QLineEdit *box : entries()) {
            box->clear();
            QTest::keyClicks(box, "a1 :b-2.+Z");
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString::fromUtf8("５"), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString::fromUtf8("あ"), Qt::NoModifier);
            QTest::keyClicks(box, "93");
            QTest::keyClick(box, Qt::Key_Backspace);
            QCOMPARE(box->text(), QString("129"));
        }
    }

    void set_data()
    {
        QTest::addColumn<QString>("texts"); // hours minutes seconds font standby
        QTest::addColumn<QString>("marks");
        QTest::addColumn<QByteArray>("timerLine"); // the file's first line afterwards; closed when changed
        QTest::addColumn<int>("total");

        const QByteArray kept = "Timer=00:03:00\r";
        QTest::newRow("five minutes") << "00 05 00 9 5" << "WWWWW" << QByteArray("Timer=00:05:00\r") << 300;
        QTest::newRow("60 minutes") << "00 60 00 9 5" << "WYWWW" << kept << 0;
        QTest::newRow("font 5, standby 60") << "01 00 00 5 60" << "WWWYY" << kept << 0;
        QTest::newRow("font 73") << "00 03 00 73 5" << "WWWYW" << kept << 0;
        QTest::newRow("font 6") << "00 02 00 6 0" << "WWWWW" << QByteArray("Timer=00:02:00\r") << 120;
        QTest::newRow("font 72") << "00 02 00 72 59" << "WWWWW" << QByteArray("Timer=00:02:00\r") << 120;
        QTest::newRow("single 3 in hours") << "3 00 00 9 5" << "WWWWW" << QByteArray("Timer=03:00:00\r") << 10800;
        QTest::newRow("single 0 in hours") << "0 03 00 9 5" << "YWWWW" << kept << 0;
        QTest::newRow("single 7 in minutes") << "00 7 00 9 5" << "WYWWW" << kept << 0;
        QTest::newRow("empty seconds") << "00 03 # 9 5" << "WWYWW" << kept << 0;
        QTest::newRow("three-digit hours") << "100 00 00 9 5" << "YWWWW" << kept << 0;
        QTest::newRow("three-digit minutes") << "00 100 00 9 5" << "WYWWW" << kept << 0;
        QTest::newRow("09:06:07") << "09 06 07 9 5" << "WWWWW" << QByteArray("Timer=09:06:07\r") << 32767;
    }
    void set()
    {
        QFETCH(QString, texts);
        QFETCH(QString, marks);
        QFETCH(QByteArray, timerLine);
        QFETCH(int, total);

        m_dialog->show();
        QSignalSpy clicks(m_dialog.get(), &frmOpt::evtClick);
        const QStringList fields = texts.split(' ');
        for (int i = 0; i < 5; ++i)
            entries()[i]->setText(fields[i] == "#" ? QString() : fields[i]);

        m_dialog->OkBtn_Click();

        const bool closes = timerLine != "Timer=00:03:00\r";
        QCOMPARE(this->marks(), marks);
        QCOMPARE(m_dialog->isVisible(), !closes);
        QCOMPARE(iniLines().value(0), timerLine);
        QCOMPARE(m_module->TimerTotal, qint32(total));
        QCOMPARE(m_module->RemainMM, closes ? m_module->settings.TimerMM : qint16(0));
        QCOMPARE(QString::number(m_module->settings.FontSize), closes ? fields[3] : QString("9"));
        QCOMPARE(clicks.size(), closes ? 1 : 0);
        if (closes)
            QCOMPARE(clicks.first().first().value<qint32>(), 1);
        QVERIFY(m_messages.texts.isEmpty());
    }

    // An empty font size and a limit past 32767 seconds fail after the checks:
    // a message, the switches stored, the numbers, count and file kept.
    void failuresAfterTheChecks()
    {
        m_dialog->show();
        QSignalSpy clicks(m_dialog.get(), &frmOpt::evtClick);
        const QList<QByteArray> before = iniLines();
        m_module->RemainMM = 1;
        m_dialog->chkTX->setChecked(false);
        m_dialog->chkDate->setChecked(true);

        m_dialog->inFsize->clear();
        m_dialog->OkBtn_Click();
        m_dialog->inFsize->setText("10");
        m_dialog->inHH->setText("10");
        m_dialog->OkBtn_Click();

        QCOMPARE(m_messages.texts, QStringList(2, "frm.Opt.OkBtn_Click Error"));
        QCOMPARE(m_module->settings.SyncTX, false);
        QCOMPARE(m_module->settings.DispDate, true);
        QCOMPARE(m_module->settings.TimerHH, qint16(0));
        QCOMPARE(m_module->settings.FontSize, qint16(9));
        QCOMPARE(m_module->RemainMM, qint16(1));
        QCOMPARE(iniLines(), before);
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(clicks.size(), 0);

        m_dialog->inHH->setText("00");
        m_dialog->OkBtn_Click();
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(iniLines().mid(1, 8), (QList<QByteArray>{"FontSize=10\r", "Standby=5\r", "SyncTX=0\r", "SyncRX=1\r",
                                                          "Alarm=1\r", "DispDate=1\r", "DispTime=1\r", "LogFile=0\r"}));
    }

    void switchesStayAfterRefusedSetAndCancel()
    {
        m_dialog->show();
        m_dialog->chkAlm->setChecked(false);
        m_dialog->inMM->setText("60");
        m_dialog->OkBtn_Click();
        QTest::mouseClick(m_dialog->btnCancel, Qt::LeftButton);

        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_module->settings.Alarm, false);
        QCOMPARE(m_module->settings.TimerMM, qint16(3));
        QCOMPARE(iniLines().value(5), QByteArray("Alarm=1\r"));

        // The same instance shown again is loaded afresh, without marks.
        m_dialog->show();
        QCOMPARE(marks(), QString("WWWWW"));
        QCOMPARE(m_dialog->inMM->text(), QString("03"));
        QCOMPARE(m_dialog->chkAlm->isChecked(), false);
    }

private:
    QList<QByteArray> iniLines() const { return readFile(m_dir->path() + "/vln.ini").split('\n'); }
    QList<QLineEdit *> entries() const
    {
        return {m_dialog->inHH, m_dialog->inMM, m_dialog->inSS, m_dialog->inFsize, m_dialog->inStby};
    }
    // "W" white, "Y" yellow per entry.
    QString marks() const
    {
        QString out;
        for (const QLineEdit *box : entries())
            out += box->palette().color(QPalette::Base) == QColor(255, 255, 0) ? 'Y' : 'W';
        return out;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    FakeSettingsWindow m_window;
    RecordingMessageBox m_messages;
    std::unique_ptr<Module1> m_module;
    std::unique_ptr<frmOpt> m_dialog;
};

QTEST_MAIN(TestFrmOpt)
#include "tst_frmopt.moc"
