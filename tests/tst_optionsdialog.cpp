#include "settings/frmOpt.h"
#include "platform/Twips.h"

#include "support/DialogFixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

class TestFrmOpt : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dialog.reset();
        m_f = std::make_unique<DialogFixture>();
        m_f->module.settings.Alarm = true;
        m_f->module.SaveSettings();
        m_dialog = std::make_unique<frmOpt>(m_f->module, m_f->window, m_f->messages);
        m_dialog->iNG = 1;
        m_dialog->show();
    }

    void loadAndKeyFilter()
    {
        Settings &s = m_f->module.settings;
        s.TimerHH = 1;
        s.TimerSS = 7;
        s.FontSize = 12;
        s.Standby = 0;
        s.SyncTX = false;
        s.Speech = true;
        s.LogFile = true; // the main window's Date, Time and Log boxes win
        m_f->window.date = true;
        m_f->window.place = {1500, 3000, 5640, 8460};
        m_dialog->hide();
        m_dialog->show();

        QCOMPARE(DialogFixture::texts(entries()), QString("01 03 07 12 0"));
        QString switches;
        for (const QCheckBox *box : {m_dialog->chkTX, m_dialog->chkRX, m_dialog->chkAlm, m_dialog->chkDate,
                                     m_dialog->chkTime, m_dialog->chkLog, m_dialog->chkSpeech})
            switches += box->isChecked() ? '1' : '0';
        QCOMPARE(switches, QString("0111101"));
        QCOMPARE(m_dialog->pos(), QPoint(Twips::toPixels(1750), Twips::toPixels(5100)));

        for (QLineEdit *box : entries())
            QCOMPARE(DialogFixture::typed(box), QString("129"));
    }

    void set_data()
    {
        QTest::addColumn<QString>("texts"); // hours minutes seconds font standby; "#" empty
        QTest::addColumn<QString>("marks");
        QTest::addColumn<QString>("timerLine"); // the file's first line afterwards; closed when changed
        QTest::addColumn<int>("total");

        const QString kept = "Timer=00:03:00";
        QTest::newRow("five minutes") << "00 05 00 9 5" << "WWWWW" << "Timer=00:05:00" << 300;
        QTest::newRow("60 minutes") << "00 60 00 9 5" << "WYWWW" << kept << 0;
        QTest::newRow("font 5, standby 60") << "01 00 00 5 60" << "WWWYY" << kept << 0;
        QTest::newRow("font 73") << "00 03 00 73 5" << "WWWYW" << kept << 0;
        QTest::newRow("font 6") << "00 02 00 6 0" << "WWWWW" << "Timer=00:02:00" << 120;
        QTest::newRow("font 72") << "00 02 00 72 59" << "WWWWW" << "Timer=00:02:00" << 120;
        QTest::newRow("single 3 in hours") << "3 00 00 9 5" << "WWWWW" << "Timer=03:00:00" << 10800;
        QTest::newRow("single 0 in hours") << "0 03 00 9 5" << "YWWWW" << kept << 0;
        QTest::newRow("single 7 in minutes") << "00 7 00 9 5" << "WYWWW" << kept << 0;
        QTest::newRow("empty seconds") << "00 03 # 9 5" << "WWYWW" << kept << 0;
        QTest::newRow("three-digit hours") << "100 00 00 9 5" << "YWWWW" << kept << 0;
        QTest::newRow("three-digit minutes") << "00 100 00 9 5" << "WYWWW" << kept << 0;
        QTest::newRow("09:06:07") << "09 06 07 9 5" << "WWWWW" << "Timer=09:06:07" << 32767;
    }
    void set()
    {
        QFETCH(QString, texts);
        QFETCH(QString, marks);
        QFETCH(QString, timerLine);
        QFETCH(int, total);

        QSignalSpy clicks(m_dialog.get(), &frmOpt::evtClick);
        const QStringList fields = texts.split(' ');
        for (int i = 0; i < 5; ++i)
            entries()[i]->setText(fields[i] == "#" ? QString() : fields[i]);

        m_dialog->OkBtn_Click();

        const bool closes = timerLine != "Timer=00:03:00";
        const Module1 &m = m_f->module;
        QCOMPARE(DialogFixture::marks(entries()), marks);
        QCOMPARE(m_dialog->isVisible(), !closes);
        QCOMPARE(m_f->iniLines().value(0), timerLine);
        QCOMPARE(m.TimerTotal, qint32(total));
        QCOMPARE(m.RemainMM, closes ? m.settings.TimerMM : qint16(0));
        QCOMPARE(QString::number(m.settings.FontSize), closes ? fields[3] : QString("9"));
        QCOMPARE(QList<QVariantList>(clicks), closes ? QList<QVariantList>{{1}} : QList<QVariantList>());
        QVERIFY(m_f->messages.texts.isEmpty());
    }

    // An empty font size and a limit past 32767 seconds fail after the checks:
    // a message, the switches stored, the numbers, count and file kept.
    void failuresAfterTheChecks()
    {
        QSignalSpy clicks(m_dialog.get(), &frmOpt::evtClick);
        Module1 &m = m_f->module;
        const QStringList before = m_f->iniLines();
        m.RemainMM = 1;
        m_dialog->chkTX->setChecked(false);
        m_dialog->chkDate->setChecked(true);

        m_dialog->inFsize->clear();
        m_dialog->OkBtn_Click();
        m_dialog->inFsize->setText("10");
        m_dialog->inHH->setText("10");
        m_dialog->OkBtn_Click();

        QCOMPARE(m_f->messages.texts, QStringList(2, "frm.Opt.OkBtn_Click Error"));
        QCOMPARE(m.settings.SyncTX, false);
        QCOMPARE(m.settings.DispDate, true);
        QCOMPARE(m.settings.TimerHH, qint16(0));
        QCOMPARE(m.settings.FontSize, qint16(9));
        QCOMPARE(m.RemainMM, qint16(1));
        QCOMPARE(m_f->iniLines(), before);
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(clicks.size(), 0);

        m_dialog->inHH->setText("00");
        m_dialog->OkBtn_Click();
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(m_f->iniLines().mid(1, 8), QString("FontSize=10 Standby=5 SyncTX=0 SyncRX=1 Alarm=1 DispDate=1 "
                                                     "DispTime=1 LogFile=0").split(' '));
    }

    void switchesStayAfterRefusedSetAndCancel()
    {
        m_dialog->chkAlm->setChecked(false);
        m_dialog->inMM->setText("60");
        m_dialog->OkBtn_Click();
        QTest::mouseClick(m_dialog->btnCancel, Qt::LeftButton);

        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_f->module.settings.Alarm, false);
        QCOMPARE(m_f->module.settings.TimerMM, qint16(3));
        QCOMPARE(m_f->iniLines().value(5), QString("Alarm=1"));

        // The same instance shown again is loaded afresh, without marks.
        m_dialog->show();
        QCOMPARE(DialogFixture::marks(entries()), QString("WWWWW"));
        QCOMPARE(m_dialog->inMM->text(), QString("03"));
        QCOMPARE(m_dialog->chkAlm->isChecked(), false);
    }

private:
    QList<QLineEdit *> entries() const
    {
        return {m_dialog->inHH, m_dialog->inMM, m_dialog->inSS, m_dialog->inFsize, m_dialog->inStby};
    }

    std::unique_ptr<DialogFixture> m_f;
    std::unique_ptr<frmOpt> m_dialog;
};

QTEST_MAIN(TestFrmOpt)
#include "tst_frmopt.moc"
